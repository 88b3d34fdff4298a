// The HTTP/1.0 exchange with a CDDB server: one request out, the whole answer back. Failures
// never raise: an unknown host, a refused connection or a time-out leave the answer empty or
// cut, and an answer longer than any real server sends is refused whole.
#pragma once

#include <cstddef>
#include <string>

namespace cddb {

// The longest answer taken. The longest entries real servers hold are some tens of kilobytes;
// a longer answer is no CDDB answer, and is a failed look-up as a cut one is.
inline constexpr std::size_t kReplyLimit = 256 * 1024;

// Straight to the server of the settings, by POST or GET as they say. extraHeaders, when given,
// are complete header lines put before Content-Length. The answer as it came, headers and all;
// "" when nothing came or the answer passed kReplyLimit. The settings' time-out bounds the
// whole exchange.
std::string SendCDDBRequest(const char* path, const char* command, const char* extraHeaders);

// Through the proxy of the settings, always by POST.
std::string PostCDDBViaProxy(const char* path, const char* command);

}  // namespace cddb
