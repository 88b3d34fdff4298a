// The HTTP/1.0 exchange with a CDDB server: one request out, the whole answer back into a
// caller's buffer. Failures never raise: an unknown host, a refused connection or a time-out
// leave the reply empty or cut, and the reply is always zero-terminated.
#pragma once

namespace cddb {

// Straight to the server of the settings, by POST or GET as they say. extraHeaders, when given,
// are complete header lines put before Content-Length.
void SendCDDBRequest(const char* path, const char* command, const char* extraHeaders,
                     char* reply, int replySize);

// Through the proxy of the settings, always by POST.
void PostCDDBViaProxy(const char* path, const char* command, char* reply, int replySize);

}  // namespace cddb
