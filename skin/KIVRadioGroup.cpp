#include "KIVRadioGroup.h"

namespace kiv {

namespace {

constexpr int kControlBorderColor = 8;
constexpr int kControlFaceColor = 9;
constexpr int kGroupBoxFontColor = 10;

}  // namespace

POINT CheckGroupItemOrigin(int index, int count, int columns, int topMargin, const RECT& content,
                           int groupWidth) {
  const int top = content.top + topMargin;
  const int height = content.bottom - top;
  const int rows = (count + columns - 1) / columns;
  const int columnWidth = (groupWidth - 10) / columns;
  const int rowStep = height / rows;
  const int firstTop = top + (height % rows) / 2;
  return {(index / rows) * columnWidth + 8, (index % rows) * rowStep + firstTop};
}

TkivCheckGroup::TkivCheckGroup(ui::TComponent* AOwner) : TkivCustomGroupBox(AOwner) {
  items_.OnChange = [this] { SyncBoxes(); };
  SetCaption("kivCheckGroup");
  SetUIStyle(GetOwnerFormStyle(AOwner));
  SetTransparent(false);
  SetParentColor(true);
  // A click on the group's own background counts as a click on the group too.
  TControl::OnClick = [this](ui::TComponent*) { ItemClick(); };
}

// The boxes are owned by the group and go with it.
TkivCheckGroup::~TkivCheckGroup() { items_.OnChange = nullptr; }

void TkivCheckGroup::SetColumns(int value) {
  if (value < 1) return;
  columns_ = value;
  ArrangeBoxes();
}

void TkivCheckGroup::SetTopMargin(int value) {
  if (value < 0) return;
  topMargin_ = value;
  ArrangeBoxes();
}

void TkivCheckGroup::SetUIStyle(TkivUIStyle style) {
  style_ = style;
  ApplyStyle(style);
  for (TkivCheckBox* box : boxes_) {
    box->SetUIStyle(style);
    box->SetColor(Color());
  }
}

void TkivCheckGroup::ApplyStyle(TkivUIStyle style) {
  SetBorderColor(GetThemeColor(style, kControlBorderColor));
  Font().SetColor(GetThemeColor(style, kGroupBoxFontColor));
  if (!ParentColor()) SetColor(GetThemeColor(style, kControlFaceColor));
}

void TkivCheckGroup::SetTransparent(bool value) {
  TkivCustomGroupBox::SetTransparent(value);
  for (TkivCheckBox* box : boxes_) box->SetTransparent(value);
}

void TkivCheckGroup::Resize() {
  TkivCustomGroupBox::Resize();
  ArrangeBoxes();
}

TkivCheckBox* TkivCheckGroup::CreateItem() { return ui::Create<TkivCheckBox>(this); }

void TkivCheckGroup::ItemClick() {
  ItemClicked();
  if (OnClick) OnClick(this);
}

void TkivCheckGroup::SyncBoxes() {
  const int missing = items_.Count() - BoxCount();
  for (int i = 0; i < missing; ++i) {
    TkivCheckBox* box = CreateItem();
    box->SetParent(this);
    box->SetAutoSize(true);
    box->SetUIStyle(style_);
    box->SetTransparent(Transparent());
    box->SetParentColor(true);
    box->OnClick = [this](ui::TComponent*) { ItemClick(); };
    boxes_.push_back(box);
  }
  while (BoxCount() > items_.Count()) {
    delete boxes_.back();
    boxes_.pop_back();
  }
  for (int i = 0; i < BoxCount(); ++i) boxes_[i]->SetCaption(items_[i]);
  ArrangeBoxes();
  if (missing > 0) {
    // Written twice, so every box takes the group's value again and repaints.
    SetTransparent(!Transparent());
    SetTransparent(!Transparent());
  }
}

void TkivCheckGroup::ArrangeBoxes() {
  const int count = BoxCount();
  for (int i = 0; i < count; ++i) {
    const POINT at = CheckGroupItemOrigin(i, count, columns_, topMargin_, ContentRect(), Width());
    boxes_[i]->SetBounds(at.x, at.y, boxes_[i]->Width(), boxes_[i]->Height());
  }
}

}  // namespace kiv
