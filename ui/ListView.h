// TCustomListView / TListView: the native list view, as the windows use it in report style:
// columns (caption, width, alignment), items with sub-items, check boxes, grid lines, row
// selection, sorting through a compare callback, and custom drawing of the list, its rows and
// cells. The items live in the object and the window shows them through text call-backs, so
// items, check marks and the selection survive a new window.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ImageList.h"
#include "NativeControl.h"
#include "StringList.h"

namespace ui {

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TItemChange { ctText, ctImage, ctState };

class TCustomListView;
class TListColumns;
class TListItems;

class TListColumn {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  // The width the user left it at, when the window shows it.
  int Width() const;
  void SetWidth(int value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  int Index() const;

 private:
  friend class TListColumns;
  friend class TCustomListView;
  explicit TListColumn(TListColumns& owner) : owner_(owner) {}
  void Changed();

  TListColumns& owner_;
  std::string caption_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
};

class TListColumns {
 public:
  int Count() const { return static_cast<int>(columns_.size()); }
  TListColumn* Items(int index) const { return columns_.at(index).get(); }
  TListColumn* operator[](int index) const { return Items(index); }
  TListColumn* Add();
  void Delete(int index);
  void Clear();

 private:
  friend class TListColumn;
  friend class TCustomListView;
  explicit TListColumns(TCustomListView& view) : view_(view) {}
  void Insert(int index);

  TCustomListView& view_;
  std::vector<std::unique_ptr<TListColumn>> columns_;
};

class TListItem {
 public:
  TCustomListView* ListView() const { return &view_; }
  int Index() const { return index_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  // The texts of the columns after the first; a change shows at once.
  TStringList& SubItems() { return subItems_; }
  const TStringList& SubItems() const { return subItems_; }
  bool Checked() const;
  void SetChecked(bool value);
  bool Selected() const;
  void SetSelected(bool value);
  bool Focused() const;
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  void* Data() const { return data_; }
  void SetData(void* value) { data_ = value; }
  // Scrolls the list until the item shows.
  void MakeVisible(bool PartialOK);
  // Redraws the item.
  void Update();
  void Delete();

 private:
  friend class TListItems;
  friend class TCustomListView;
  explicit TListItem(TCustomListView& view);
  bool WindowState(UINT mask, UINT value) const;
  void SetWindowState(UINT mask, UINT value);

  TCustomListView& view_;
  int index_ = 0;
  std::string caption_;
  TStringList subItems_;
  int imageIndex_ = -1;
  void* data_ = nullptr;
  // The states while the item has no window to hold them.
  bool checked_ = false, selected_ = false, focused_ = false;
};

class TListItems {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  TListItem* Item(int index) const { return items_.at(index).get(); }
  TListItem* operator[](int index) const { return Item(index); }
  TListItem* Add() { return Insert(Count()); }
  TListItem* Insert(int index);
  void Delete(int index);
  void Clear();
  // Between the two the window does not redraw.
  void BeginUpdate() { redraw_.Begin(); }
  void EndUpdate() { redraw_.End(); }

 private:
  friend class TCustomListView;
  explicit TListItems(TCustomListView& view);
  void Renumber(int from);

  TCustomListView& view_;
  std::vector<std::unique_ptr<TListItem>> items_;
  RedrawBracket redraw_;
};

using TLVSelectItemEvent = std::function<void(TComponent* Sender, TListItem* Item, bool Selected)>;
using TLVChangeEvent = std::function<void(TComponent* Sender, TListItem* Item, TItemChange Change)>;
using TLVColumnClickEvent = std::function<void(TComponent* Sender, TListColumn* Column)>;
// Compare < 0 puts Item1 first.
using TLVCompareEvent =
    std::function<void(TComponent* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare)>;
using TLVCustomDrawEvent =
    std::function<void(TCustomListView* Sender, const RECT& ARect, bool& DefaultDraw)>;
using TLVCustomDrawItemEvent = std::function<void(TCustomListView* Sender, TListItem* Item,
                                                  TCustomDrawState State, bool& DefaultDraw)>;
using TLVCustomDrawSubItemEvent = std::function<void(
    TCustomListView* Sender, TListItem* Item, int SubItem, TCustomDrawState State, bool& DefaultDraw)>;

class TCustomListView : public TNativeControl {
  UI_CLASS(TCustomListView, TNativeControl)
 public:
  explicit TCustomListView(TComponent* AOwner);
  ~TCustomListView() override;

  TListColumns& Columns() { return columns_; }
  TListItems& Items() { return items_; }

  TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle value);
  bool Checkboxes() const { return checkboxes_; }
  void SetCheckboxes(bool value);
  bool GridLines() const { return gridLines_; }
  void SetGridLines(bool value);
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool value);
  // The user cannot edit the captions.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  // Column headers can be clicked (OnColumnClick).
  bool ColumnClick() const { return columnClick_; }
  void SetColumnClick(bool value);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool value);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool value);
  bool ShowColumnHeaders() const { return showColumnHeaders_; }
  void SetShowColumnHeaders(bool value);
  TCustomImageList* SmallImages() const { return smallImages_; }
  void SetSmallImages(TCustomImageList* value);

  // The first selected item, or none.
  TListItem* Selected() const;
  void SetSelected(TListItem* item);
  int SelCount() const;

  // Sorts the items by OnCompare, or by caption (ignoring case) without one. Equal items keep
  // their order.
  void AlphaSort();
  void CustomSort(const std::function<int(TListItem* Item1, TListItem* Item2)>& compare);

  TLVSelectItemEvent OnSelectItem;
  TLVChangeEvent OnChange;
  TLVColumnClickEvent OnColumnClick;
  TLVCompareEvent OnCompare;
  TLVCustomDrawEvent OnCustomDraw;
  TLVCustomDrawItemEvent OnCustomDrawItem;
  TLVCustomDrawSubItemEvent OnCustomDrawSubItem;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TListColumn;
  friend class TListColumns;
  friend class TListItem;
  friend class TListItems;
  void CNNotify(TMessage& Message);
  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);
  void ItemChanged(const NMLISTVIEW& change);
  void GiveText(int index, int subItem, char* text, int size) const;
  void InsertWindowItem(TListItem& item);
  void InsertWindowColumn(const TListColumn& column);
  void UpdateExtendedStyle();
  void UpdateColors();
  DWORD ExtendedStyle() const;

  TListColumns columns_;
  TListItems items_;
  TViewStyle viewStyle_ = vsIcon;
  bool checkboxes_ = false;
  bool gridLines_ = false;
  bool rowSelect_ = false;
  bool readOnly_ = false;
  bool columnClick_ = true;
  bool multiSelect_ = false;
  bool hideSelection_ = true;
  bool showColumnHeaders_ = true;
  TCustomImageList* smallImages_ = nullptr;
  // Notifications of items being put into or taken out of the window are not the user's.
  int changingWindowItems_ = 0;
};

class TListView : public TCustomListView {
  UI_CLASS(TListView, TCustomListView)
 public:
  using TCustomListView::TCustomListView;
};

}  // namespace ui
