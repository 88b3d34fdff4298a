#include "ListView.h"

#include <algorithm>
#include <stdexcept>

namespace ui {

namespace {

int ColumnFormat(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return LVCFMT_RIGHT;
    case taCenter: return LVCFMT_CENTER;
    default: return LVCFMT_LEFT;
  }
}

UINT CheckState(bool checked) { return INDEXTOSTATEIMAGEMASK(checked ? 2 : 1); }

// The window's order after a sort: each item's lParam is the item, which knows its place.
int CALLBACK ComparePlaces(LPARAM a, LPARAM b, LPARAM) {
  return reinterpret_cast<TListItem*>(a)->Index() - reinterpret_cast<TListItem*>(b)->Index();
}

}  // namespace

// ---- columns

void TListColumn::SetCaption(const std::string& value) {
  caption_ = value;
  Changed();
}

int TListColumn::Width() const {
  TCustomListView& view = owner_.view_;
  if (!view.HandleAllocated()) return width_;
  return static_cast<int>(SendMessageA(view.Handle(), LVM_GETCOLUMNWIDTH, Index(), 0));
}

void TListColumn::SetWidth(int value) {
  width_ = value;
  Changed();
}

void TListColumn::SetAlignment(TAlignment value) {
  alignment_ = value;
  Changed();
}

int TListColumn::Index() const {
  const auto& list = owner_.columns_;
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i].get() == this) return static_cast<int>(i);
  return -1;
}

void TListColumn::Changed() {
  TCustomListView& view = owner_.view_;
  if (!view.HandleAllocated()) return;
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.pszText = const_cast<char*>(caption_.c_str());
  column.cx = width_;
  // The first column is always left-aligned by the list view.
  column.fmt = ColumnFormat(alignment_);
  SendMessageA(view.Handle(), LVM_SETCOLUMNA, Index(), reinterpret_cast<LPARAM>(&column));
}

TListColumn* TListColumns::Add() {
  columns_.push_back(std::unique_ptr<TListColumn>(new TListColumn(*this)));
  Insert(Count() - 1);
  return columns_.back().get();
}

void TListColumns::Insert(int index) {
  if (view_.HandleAllocated()) view_.InsertWindowColumn(*columns_.at(index));
}

void TListColumns::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  if (view_.HandleAllocated()) SendMessageA(view_.Handle(), LVM_DELETECOLUMN, index, 0);
  columns_.erase(columns_.begin() + index);
}

void TListColumns::Clear() {
  while (Count() > 0) Delete(Count() - 1);
}

// ---- items

TListItem::TListItem(TCustomListView& view) : view_(view) {
  subItems_.OnChange = [this] { Update(); };
}

void TListItem::SetCaption(const std::string& value) {
  caption_ = value;
  Update();
}

bool TListItem::WindowState(UINT mask, UINT value) const {
  return (SendMessageA(view_.Handle(), LVM_GETITEMSTATE, index_, mask) & mask) == value;
}

void TListItem::SetWindowState(UINT mask, UINT value) {
  LVITEMA item{};
  item.stateMask = mask;
  item.state = value;
  SendMessageA(view_.Handle(), LVM_SETITEMSTATE, index_, reinterpret_cast<LPARAM>(&item));
}

bool TListItem::Checked() const {
  if (!view_.HandleAllocated() || !view_.checkboxes_) return checked_;
  return WindowState(LVIS_STATEIMAGEMASK, CheckState(true));
}

void TListItem::SetChecked(bool value) {
  checked_ = value;
  if (view_.HandleAllocated() && view_.checkboxes_) SetWindowState(LVIS_STATEIMAGEMASK, CheckState(value));
}

bool TListItem::Selected() const {
  if (!view_.HandleAllocated()) return selected_;
  return WindowState(LVIS_SELECTED, LVIS_SELECTED);
}

void TListItem::SetSelected(bool value) {
  selected_ = value;
  if (view_.HandleAllocated()) SetWindowState(LVIS_SELECTED, value ? LVIS_SELECTED : 0);
}

bool TListItem::Focused() const {
  if (!view_.HandleAllocated()) return focused_;
  return WindowState(LVIS_FOCUSED, LVIS_FOCUSED);
}

void TListItem::SetImageIndex(int value) {
  imageIndex_ = value;
  if (!view_.HandleAllocated()) return;
  LVITEMA item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index_;
  item.iImage = value;
  SendMessageA(view_.Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TListItem::MakeVisible(bool PartialOK) {
  if (view_.HandleAllocated()) SendMessageA(view_.Handle(), LVM_ENSUREVISIBLE, index_, PartialOK);
}

void TListItem::Update() {
  if (view_.HandleAllocated()) SendMessageA(view_.Handle(), LVM_REDRAWITEMS, index_, index_);
}

void TListItem::Delete() { view_.items_.Delete(index_); }

TListItem* TListItems::Insert(int index) {
  if (index < 0 || index > Count()) throw std::out_of_range("List index out of bounds");
  items_.insert(items_.begin() + index, std::unique_ptr<TListItem>(new TListItem(view_)));
  Renumber(index);
  TListItem* item = items_[index].get();
  if (view_.HandleAllocated()) {
    try {
      view_.InsertWindowItem(*item);
    } catch (...) {
      items_.erase(items_.begin() + index);
      Renumber(index);
      throw;
    }
  }
  return item;
}

void TListItems::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  if (view_.HandleAllocated()) {
    ScopedCount changing(view_.changingWindowItems_);
    SendMessageA(view_.Handle(), LVM_DELETEITEM, index, 0);
  }
  items_.erase(items_.begin() + index);
  Renumber(index);
}

void TListItems::Clear() {
  if (view_.HandleAllocated()) {
    ScopedCount changing(view_.changingWindowItems_);
    SendMessageA(view_.Handle(), LVM_DELETEALLITEMS, 0, 0);
  }
  items_.clear();
}

TListItems::TListItems(TCustomListView& view) : view_(view), redraw_(view) {}

void TListItems::Renumber(int from) {
  for (int i = from; i < Count(); ++i) items_[i]->index_ = i;
}

// ---- the list view

TCustomListView::TCustomListView(TComponent* AOwner)
    : TNativeControl(AOwner), columns_(*this), items_(*this) {
  // The list view captures the mouse and tells clicks itself (NM_CLICK).
  SetControlStyle(ControlStyle() & ~(csCaptureMouse | csClickEvents));
  SetBounds(0, 0, 250, 150);
}

TCustomListView::~TCustomListView() {
  // The window goes first: its last notifications still find the items.
  DestroyWnd();
}

void TCustomListView::SetViewStyle(TViewStyle value) {
  if (value == viewStyle_) return;
  viewStyle_ = value;
  RecreateWnd();
}

void TCustomListView::SetCheckboxes(bool value) {
  if (value == checkboxes_) return;
  // The marks go into the items before the window forgets them.
  if (checkboxes_ && HandleAllocated())
    for (int i = 0; i < items_.Count(); ++i) items_[i]->checked_ = items_[i]->Checked();
  checkboxes_ = value;
  UpdateExtendedStyle();
  if (value && HandleAllocated())
    for (int i = 0; i < items_.Count(); ++i) items_[i]->SetChecked(items_[i]->checked_);
}

void TCustomListView::SetGridLines(bool value) {
  gridLines_ = value;
  UpdateExtendedStyle();
}

void TCustomListView::SetRowSelect(bool value) {
  rowSelect_ = value;
  UpdateExtendedStyle();
}

void TCustomListView::SetReadOnly(bool value) {
  readOnly_ = value;
  ChangeWindowStyle(LVS_EDITLABELS, !value);
}

void TCustomListView::SetColumnClick(bool value) {
  if (value == columnClick_) return;
  columnClick_ = value;
  RecreateWnd();
}

void TCustomListView::SetMultiSelect(bool value) {
  multiSelect_ = value;
  ChangeWindowStyle(LVS_SINGLESEL, !value);
}

void TCustomListView::SetHideSelection(bool value) {
  hideSelection_ = value;
  ChangeWindowStyle(LVS_SHOWSELALWAYS, !value);
}

void TCustomListView::SetShowColumnHeaders(bool value) {
  if (value == showColumnHeaders_) return;
  showColumnHeaders_ = value;
  RecreateWnd();
}

void TCustomListView::SetSmallImages(TCustomImageList* value) {
  ReferTo(smallImages_, value);
  if (HandleAllocated())
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(value ? value->Handle() : nullptr));
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
  TNativeControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == smallImages_) SetSmallImages(nullptr);
}

TListItem* TCustomListView::Selected() const {
  for (int i = 0; i < items_.Count(); ++i)
    if (items_[i]->Selected()) return items_[i];
  return nullptr;
}

void TCustomListView::SetSelected(TListItem* item) {
  for (int i = 0; i < items_.Count(); ++i)
    if (items_[i] != item && items_[i]->Selected()) items_[i]->SetSelected(false);
  if (item) item->SetSelected(true);
}

int TCustomListView::SelCount() const {
  int count = 0;
  for (int i = 0; i < items_.Count(); ++i) count += items_[i]->Selected() ? 1 : 0;
  return count;
}

void TCustomListView::AlphaSort() {
  CustomSort([this](TListItem* a, TListItem* b) {
    int compare = 0;
    if (OnCompare) OnCompare(this, a, b, 0, compare);
    else compare = CompareTextIgnoringCase(a->Caption(), b->Caption());
    return compare;
  });
}

void TCustomListView::CustomSort(const std::function<int(TListItem*, TListItem*)>& compare) {
  // Sorted as pointers: a compare that throws leaves every item in place.
  std::vector<TListItem*> order;
  for (auto& item : items_.items_) order.push_back(item.get());
  std::stable_sort(order.begin(), order.end(),
                   [&](TListItem* a, TListItem* b) { return compare(a, b) < 0; });
  for (auto& item : items_.items_) item.release();
  for (size_t i = 0; i < order.size(); ++i) items_.items_[i].reset(order[i]);
  items_.Renumber(0);
  if (!HandleAllocated()) return;
  SendMessageA(Handle(), LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&ComparePlaces));
}

void TCustomListView::CreateParams(TCreateParams& Params) {
  TNativeControl::CreateParams(Params);
  Params.NativeClass = WC_LISTVIEWA;
  static const DWORD kViews[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  Params.Style |= kViews[viewStyle_] | LVS_SHAREIMAGELISTS;
  if (!readOnly_) Params.Style |= LVS_EDITLABELS;
  if (!columnClick_) Params.Style |= LVS_NOSORTHEADER;
  if (!multiSelect_) Params.Style |= LVS_SINGLESEL;
  if (!hideSelection_) Params.Style |= LVS_SHOWSELALWAYS;
  if (!showColumnHeaders_) Params.Style |= LVS_NOCOLUMNHEADER;
}

DWORD TCustomListView::ExtendedStyle() const {
  DWORD style = 0;
  if (checkboxes_) style |= LVS_EX_CHECKBOXES;
  if (gridLines_) style |= LVS_EX_GRIDLINES;
  if (rowSelect_) style |= LVS_EX_FULLROWSELECT;
  return style;
}

void TCustomListView::UpdateExtendedStyle() {
  if (!HandleAllocated()) return;
  const DWORD mask = LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
  SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, mask, ExtendedStyle());
}

void TCustomListView::UpdateColors() {
  const COLORREF back = ColorToRGB(Color());
  SendMessageA(Handle(), LVM_SETBKCOLOR, 0, back);
  SendMessageA(Handle(), LVM_SETTEXTBKCOLOR, 0, back);
  SendMessageA(Handle(), LVM_SETTEXTCOLOR, 0, ColorToRGB(Font().Color()));
}

void TCustomListView::InsertWindowColumn(const TListColumn& column) {
  LVCOLUMNA data{};
  data.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  data.pszText = const_cast<char*>(column.caption_.c_str());
  data.cx = column.width_;
  data.fmt = ColumnFormat(column.alignment_);
  if (SendMessageA(Handle(), LVM_INSERTCOLUMNA, column.Index(), reinterpret_cast<LPARAM>(&data)) < 0)
    throw std::runtime_error("The list view cannot take more columns");
}

void TCustomListView::InsertWindowItem(TListItem& item) {
  ScopedCount changing(changingWindowItems_);
  LVITEMA data{};
  data.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE | LVIF_STATE;
  data.iItem = item.index_;
  data.pszText = LPSTR_TEXTCALLBACKA;
  data.iImage = item.imageIndex_;
  data.lParam = reinterpret_cast<LPARAM>(&item);
  data.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  data.state = (item.selected_ ? LVIS_SELECTED : 0) | (item.focused_ ? LVIS_FOCUSED : 0);
  if (checkboxes_) {
    data.stateMask |= LVIS_STATEIMAGEMASK;
    data.state |= CheckState(item.checked_);
  }
  if (SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&data)) < 0)
    throw std::runtime_error("The list view cannot take more items");
  // A new item comes unchecked whatever its state said.
  if (checkboxes_ && item.checked_) item.SetWindowState(LVIS_STATEIMAGEMASK, CheckState(true));
}

void TCustomListView::CreateWindowHandle() {
  TNativeControl::CreateWindowHandle();
  UpdateExtendedStyle();
  UpdateColors();
  if (smallImages_)
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages_->Handle()));
  for (int i = 0; i < columns_.Count(); ++i) InsertWindowColumn(*columns_[i]);
  SendMessageA(Handle(), LVM_SETITEMCOUNT, items_.Count(), 0);
  SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < items_.Count(); ++i) InsertWindowItem(*items_[i]);
  if (!items_.redraw_.Open()) SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
}

void TCustomListView::DestroyWnd() {
  if (!HandleAllocated()) return;
  for (int i = 0; i < columns_.Count(); ++i) columns_[i]->width_ = columns_[i]->Width();
  for (int i = 0; i < items_.Count(); ++i) {
    TListItem& item = *items_[i];
    item.checked_ = item.Checked();
    item.selected_ = item.Selected();
    item.focused_ = item.Focused();
  }
  ScopedCount changing(changingWindowItems_);
  TNativeControl::DestroyWnd();
}

void TCustomListView::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY:
      return CNNotify(Message);
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
      TNativeControl::WndProc(Message);
      if (HandleAllocated()) UpdateColors();
      return;
    default:
      return TNativeControl::WndProc(Message);
  }
}

void TCustomListView::GiveText(int index, int subItem, char* text, int size) const {
  if (!text || size <= 0 || index < 0 || index >= items_.Count()) return;
  const TListItem& item = *items_[index];
  std::string value;
  if (subItem == 0) value = item.caption_;
  else if (subItem - 1 < item.subItems_.Count()) value = item.subItems_[subItem - 1];
  lstrcpynA(text, value.c_str(), size);
}

void TCustomListView::CNNotify(TMessage& Message) {
  auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
  switch (header->code) {
    case LVN_GETDISPINFOA: {
      auto* info = reinterpret_cast<NMLVDISPINFOA*>(Message.LParam);
      if (info->item.mask & LVIF_TEXT)
        GiveText(info->item.iItem, info->item.iSubItem, info->item.pszText, info->item.cchTextMax);
      return;
    }
    case LVN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(Message.LParam);
      if (!(info->item.mask & LVIF_TEXT) || info->item.cchTextMax <= 0) return;
      std::string text(info->item.cchTextMax, '\0');
      GiveText(info->item.iItem, info->item.iSubItem, text.data(), info->item.cchTextMax);
      MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, info->item.pszText, info->item.cchTextMax);
      return;
    }
    case LVN_ITEMCHANGED:
      return ItemChanged(*reinterpret_cast<NMLISTVIEW*>(Message.LParam));
    case LVN_COLUMNCLICK: {
      const int column = reinterpret_cast<NMLISTVIEW*>(Message.LParam)->iSubItem;
      if (OnColumnClick && column >= 0 && column < columns_.Count()) OnColumnClick(this, columns_[column]);
      return;
    }
    case LVN_ENDLABELEDITA: {
      auto* info = reinterpret_cast<NMLVDISPINFOA*>(Message.LParam);
      if (!info->item.pszText || info->item.iItem < 0 || info->item.iItem >= items_.Count()) return;
      items_[info->item.iItem]->SetCaption(info->item.pszText);
      if (OnChange) OnChange(this, items_[info->item.iItem], ctText);
      Message.Result = TRUE;
      return;
    }
    case NM_CLICK:
      return Click();
    case NM_CUSTOMDRAW:
      Message.Result = CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(Message.LParam));
      return;
    default:
      return TNativeControl::WndProc(Message);
  }
}

void TCustomListView::ItemChanged(const NMLISTVIEW& change) {
  if (changingWindowItems_ || !(change.uChanged & LVIF_STATE)) return;
  const UINT changed = change.uNewState ^ change.uOldState;
  if (!changed) return;
  int first = change.iItem, last = change.iItem;
  if (change.iItem == -1) {  // every item
    first = 0;
    last = items_.Count() - 1;
  }
  for (int i = std::max(first, 0); i <= last && i < items_.Count(); ++i) {
    TListItem* item = items_[i];
    if (OnChange) OnChange(this, item, ctState);
    if ((changed & LVIS_SELECTED) && OnSelectItem)
      OnSelectItem(this, item, (change.uNewState & LVIS_SELECTED) != 0);
  }
}

LRESULT TCustomListView::CustomDraw(NMLVCUSTOMDRAW& draw) {
  NMCUSTOMDRAW& cd = draw.nmcd;
  bool defaultDraw = true;
  // What the handler left on the canvas colours the item's text; its font is the item's.
  auto drawn = [&](const std::function<void()>& handler) -> LRESULT {
    HFONT font = nullptr;
    {
      CanvasOn canvas(*this, cd.hdc);
      handler();
      draw.clrText = ColorToRGB(Canvas().Font().Color());
      draw.clrTextBk = ColorToRGB(Canvas().Brush().Color());
      font = Canvas().Font().Handle();
    }
    if (!defaultDraw) return CDRF_SKIPDEFAULT;
    SelectObject(cd.hdc, font);
    return CDRF_NEWFONT;
  };
  const int index = static_cast<int>(cd.dwItemSpec);
  TListItem* item = index >= 0 && index < items_.Count() ? items_[index] : nullptr;
  const TCustomDrawState state = CustomDrawState(cd.uItemState);
  switch (cd.dwDrawStage) {
    case CDDS_PREPAINT: {
      if (OnCustomDraw) {
        CanvasOn canvas(*this, cd.hdc);
        OnCustomDraw(this, cd.rc, defaultDraw);
      }
      if (!defaultDraw) return CDRF_SKIPDEFAULT;
      return (OnCustomDrawItem || OnCustomDrawSubItem) ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    }
    case CDDS_ITEMPREPAINT: {
      LRESULT result = CDRF_DODEFAULT;
      if (OnCustomDrawItem && item)
        result = drawn([&] { OnCustomDrawItem(this, item, state, defaultDraw); });
      if (result != CDRF_SKIPDEFAULT && OnCustomDrawSubItem) result |= CDRF_NOTIFYSUBITEMDRAW;
      return result;
    }
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
      if (!OnCustomDrawSubItem || !item) return CDRF_DODEFAULT;
      return drawn([&] { OnCustomDrawSubItem(this, item, draw.iSubItem, state, defaultDraw); });
    default:
      return CDRF_DODEFAULT;
  }
}

}  // namespace ui
