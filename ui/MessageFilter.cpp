#include "MessageFilter.h"

namespace ui {

struct TMessageFilter::Link {
  Inherited previous;
  Handler handler;  // empty once the filter is gone
};

// What the control's WindowProc holds while the filter sits at the top of the chain.
struct TMessageFilter::Trampoline {
  std::shared_ptr<Link> link;
  void operator()(TMessage& message) const {
    if (link->handler) link->handler(message, link->previous);
    else link->previous(message);
  }
};

TMessageFilter::TMessageFilter(TControl& control, Handler handler)
    : control_(control), link_(std::make_shared<Link>(Link{control.WindowProc, std::move(handler)})) {
  control_.WindowProc = Trampoline{link_};
}

TMessageFilter::~TMessageFilter() {
  // A control being destroyed has already put its own handling back.
  if (control_.IsDestroying()) return;
  auto* top = control_.WindowProc.target<Trampoline>();
  if (top && top->link == link_) {
    control_.WindowProc = link_->previous;
  } else {
    // A later filter holds on to this one's trampoline: it stays in the chain as a plain
    // pass-through.
    link_->handler = nullptr;
  }
}

}  // namespace ui
