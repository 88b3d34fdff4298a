// Message boxes of the program land in texts (answered OK) for as long as one of these lives:
// the "Sorry" refusals of the skinned controls are checked through it.
#pragma once

#include <string>
#include <vector>

#include "Application.h"

namespace skintest {

class MessageBoxes {
 public:
  MessageBoxes() {
    ui::Application().MessageBoxSink = [this](const std::string& text, const std::string&, UINT) {
      texts.push_back(text);
      return IDOK;
    };
  }
  MessageBoxes(const MessageBoxes&) = delete;
  MessageBoxes& operator=(const MessageBoxes&) = delete;
  ~MessageBoxes() { ui::Application().MessageBoxSink = nullptr; }
  std::vector<std::string> texts;
};

}  // namespace skintest
