// Holds a list control's items in one bulk update for its lifetime, so the colour and font
// boxes rebuild their lists without a redraw per item and end the update also when an error
// leaves the rebuild.
#pragma once

#include "ControlItems.h"

namespace kiv {

class TkivItemsUpdate {
 public:
  explicit TkivItemsUpdate(ui::TControlItems& items) : items_(items) { items_.BeginUpdate(); }
  TkivItemsUpdate(const TkivItemsUpdate&) = delete;
  TkivItemsUpdate& operator=(const TkivItemsUpdate&) = delete;
  ~TkivItemsUpdate() { items_.EndUpdate(); }

 private:
  ui::TControlItems& items_;
};

}  // namespace kiv
