// Unit KIVRadioGroup: the check group, a group box that makes one check box per line of its
// Items and lays them out in columns, filling each column from the top.
#pragma once

#include <vector>

#include "KIVButton.h"
#include "KIVGroupBox.h"
#include "StringList.h"

namespace kiv {

// Where box index goes among count boxes in columns over the content rectangle, topMargin
// below its top.
POINT CheckGroupItemOrigin(int index, int count, int columns, int topMargin, const RECT& content,
                           int groupWidth);

class TkivCheckGroup : public TkivCustomGroupBox, public IkivStyled {
  UI_CLASS(TkivCheckGroup, TkivCustomGroupBox)
 public:
  explicit TkivCheckGroup(ui::TComponent* AOwner);
  ~TkivCheckGroup() override;

  ui::TStringList& Items() { return items_; }
  void SetItems(const ui::TStringList& value) { items_.Assign(value); }
  int Columns() const { return columns_; }
  // Below 1 is refused.
  void SetColumns(int value);
  int TopMargin() const { return topMargin_; }
  // Below 0 is refused.
  void SetTopMargin(int value);
  TkivUIStyle UIStyle() const override { return style_; }
  void SetUIStyle(TkivUIStyle style) override;
  void SetTransparent(bool value) override;
  // The boxes made for the items, in item order.
  int BoxCount() const { return static_cast<int>(boxes_.size()); }
  TkivCheckBox* Boxes(int index) const { return boxes_.at(index); }

  // Raised with the group as sender after a click on any box or on the group itself.
  ui::TNotifyEvent OnClick;

 protected:
  virtual void ItemClicked() {}
  virtual TkivCheckBox* CreateItem();
  void ApplyStyle(TkivUIStyle style) override;
  void Resize() override;

 private:
  void ItemClick();
  void SyncBoxes();
  void ArrangeBoxes();

  ui::TStringList items_;
  std::vector<TkivCheckBox*> boxes_;
  int columns_ = 1;
  TkivUIStyle style_ = TkivUIStyle::Custom;
  int topMargin_ = 8;
};

}  // namespace kiv
