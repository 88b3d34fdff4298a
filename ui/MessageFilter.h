// A filter on another control's messages for as long as the filter lives: every message of the
// control reaches the handler together with the handling it had before (call that to pass the
// message on). Destroying the filter takes it out of the chain, also when filters installed
// later sit on top of it. A filter must not outlive its control, except when the filter's
// holder is owned by the control and goes with it (the control's handling is then gone first).
#pragma once

#include <functional>
#include <memory>

#include "Control.h"

namespace ui {

class TMessageFilter {
 public:
  using Inherited = std::function<void(TMessage&)>;
  using Handler = std::function<void(TMessage& Message, const Inherited& Previous)>;

  TMessageFilter(TControl& control, Handler handler);
  TMessageFilter(const TMessageFilter&) = delete;
  TMessageFilter& operator=(const TMessageFilter&) = delete;
  ~TMessageFilter();

 private:
  struct Link;
  struct Trampoline;
  TControl& control_;
  std::shared_ptr<Link> link_;
};

}  // namespace ui
