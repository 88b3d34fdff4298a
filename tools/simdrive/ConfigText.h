// Builds the text of a simulated-host configuration from C++ (README.md has the format):
//   ConfigText config;
//   config.Key("log", logPath).Drive("0:1:0").Key("disc", "album")
//         .Disc("album").Track("audio 3:00").Track("audio 4:10.30");
#pragma once

#include <string>
#include <string_view>

namespace simdrive {

class ConfigText {
 public:
  ConfigText& Line(std::string_view line);
  ConfigText& Key(std::string_view key, std::string_view value);  // "key = value"
  ConfigText& Section(std::string_view header);                  // "[header]"
  ConfigText& Adapter(int number);                                // "[adapter N]"
  ConfigText& Drive(std::string_view address);                    // "[drive adapter:target:lun]"
  ConfigText& Disc(std::string_view name);                        // "[disc NAME]"
  ConfigText& Track(std::string_view description);                // "track = ..."

  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace simdrive
