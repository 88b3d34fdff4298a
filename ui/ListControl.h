// TCustomListControl: what the list box and the combo box share: their items (kept across new
// windows, with the selected index), the item height, and owner drawing and measuring of items
// through DrawItem/MeasureItem and the OnDrawItem/OnMeasureItem events.
#pragma once

#include <functional>

#include "ControlItems.h"
#include "NativeControl.h"

namespace ui {

using TDrawItemEvent =
    std::function<void(TComponent* Control, int Index, const RECT& Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TComponent* Control, int Index, int& Height)>;

class TCustomListControl : public TNativeControl {
  UI_CLASS(TCustomListControl, TNativeControl)
 public:
  TControlItems& Items() { return items_; }
  const TControlItems& Items() const { return items_; }
  // The selected item, -1 for none.
  virtual int ItemIndex();
  virtual void SetItemIndex(int value);
  // Height of an item (of every item, for fixed heights); 0 leaves the system's choice.
  int ItemHeight();
  void SetItemHeight(int value);

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  TCustomListControl(TComponent* AOwner, const TControlItems::Messages& messages);
  void CreateWindowHandle() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  // Items differ in height: each one is measured (MeasureItem) as it is added.
  virtual bool VariableItemHeight() const = 0;
  // Draws one item on Canvas(), which has the item's colours: by default OnDrawItem, or the text.
  virtual void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);
  const TControlItems::Messages& ItemMessages() const { return messages_; }

 private:
  void CNDrawItem(const DRAWITEMSTRUCT& item);
  void CNMeasureItem(MEASUREITEMSTRUCT& item);

  TControlItems::Messages messages_;
  TControlItems items_;
  int itemIndex_ = -1;
  int itemHeight_ = 0;
};

}  // namespace ui
