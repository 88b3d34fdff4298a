#include "KIVPageControl.h"

#include <algorithm>

#include "Form.h"

namespace kiv {

TkivTabSheet::TkivTabSheet(ui::TComponent* AOwner) : TCustomPanel(AOwner) {
  TCustomPanel::SetCaption(" ");
  SetBevelOuter(ui::bvNone);
  SetBevelInner(ui::bvNone);
  SetBorderWidth(0);
  SetAlign(ui::alClient);
}

TkivTabSheet::~TkivTabSheet() {
  // Leave the page control while this is still a page, so it drops the page from its list.
  if (pageControl_) SetParent(nullptr);
}

void TkivTabSheet::SetPageIndex(int value) {
  if (pageControl_) pageControl_->MovePage(*this, value);
}

void TkivTabSheet::SetCaption(const std::string& value) {
  caption_ = value;
  if (pageControl_) pageControl_->RebuildTabTexts();
}

bool TkivTabSheet::TabVisible() const {
  return pageControl_ ? pageControl_->Strip().TabVisible(pageIndex_) : tabVisible_;
}

void TkivTabSheet::SetTabVisible(bool value) {
  tabVisible_ = value;
  if (!pageControl_) return;
  pageControl_->Strip().SetTabVisible(pageIndex_, value);
  if (value) pageControl_->ActivatePageIndex(pageIndex_);
  else pageControl_->SelectNeighbourPage(pageIndex_);
}

void TkivTabSheet::SetBorderColorFromControl(TColor color) {
  borderColor_ = color;
  Invalidate();
}

void TkivTabSheet::ReadStoredPageControl(const std::string& name) {
  auto* control = Owner() ? dynamic_cast<TkivPageControl*>(Owner()->FindComponent(name)) : nullptr;
  // Only a page the control lists is linked: the page joined it when its parent was set.
  if (control && control == pageControl_) control->PageLinked();
}

void TkivTabSheet::Paint() {
  TCustomPanel::Paint();
  ui::TCanvas& canvas = Canvas();
  const int w = Width(), h = Height();
  canvas.Pen().SetColor(borderColor_);
  canvas.MoveTo(0, 0);
  canvas.LineTo(0, h - 1);
  canvas.LineTo(w - 1, h - 1);
  canvas.LineTo(w - 1, -1);
}

TkivPageControl::~TkivPageControl() {
  for (TkivTabSheet* page : pages_) page->pageControl_ = nullptr;
}

void TkivPageControl::AfterConstruction() {
  TkivTab::AfterConstruction();
  Strip().Tabs().Clear();
  // The pages are reached from the keyboard through their tabs, as in the system's dialogs.
  Strip().SetTabStop(true);
}

TkivTabControlTopPanel* TkivPageControl::CreateTopPanel() { return new TkivPageControlTopPanel(*this); }

void TkivPageControl::ReadStoredPages(const std::vector<std::string>& names) {
  savedPageNames_.insert(savedPageNames_.end(), names.begin(), names.end());
}

int TkivPageControl::PositionOf(const ui::TControl* page) const {
  auto found = std::find_if(pages_.begin(), pages_.end(),
                            [page](const TkivTabSheet* p) { return p == page; });
  return found == pages_.end() ? -1 : static_cast<int>(found - pages_.begin());
}

void TkivPageControl::WndProc(ui::TMessage& Message) {
  switch (Message.Msg) {
    case ui::CM_CONTROLLISTCHANGE: {
      TkivTab::WndProc(Message);
      auto* control = reinterpret_cast<ui::TControl*>(Message.WParam);
      if (Message.LParam) {
        if (auto* page = dynamic_cast<TkivTabSheet*>(control)) InsertPage(*page);
      } else if (const int at = PositionOf(control); at >= 0) {
        RemovePage(*pages_[at]);
      }
      return;
    }
    case ui::CM_DIALOGKEY:
      if (!TurnsPagesFor(Message.WParam)) break;
      TurnPage(Message.WParam == VK_NEXT ||
               (Message.WParam == VK_TAB && (ui::KeyboardShiftState() & ui::ssShift) == 0));
      Message.Result = 1;
      return;
    case ui::CM_COLORCHANGED:
      // The pages take the control's colour; its children hear nothing more of it.
      for (TkivTabSheet* page : pages_) page->SetColor(Color());
      return Invalidate();
  }
  TkivTab::WndProc(Message);
}

bool TkivPageControl::TurnsPagesFor(WPARAM key) const {
  if (key != VK_TAB && key != VK_NEXT && key != VK_PRIOR) return false;
  if ((ui::KeyboardShiftState() & (ui::ssCtrl | ui::ssAlt)) != ui::ssCtrl) return false;
  for (ui::TControl* c = FindControl(GetFocus()); c; c = c->Parent())
    if (auto* holder = dynamic_cast<TkivPageControl*>(c)) return holder == this;
  return true;
}

void TkivPageControl::TurnPage(bool forward) {
  const int next = Strip().NextShownTab(forward, true);
  if (next < 0 || next >= PageCount()) return;
  // The focus on a control of the page that goes behind moves to the new page's first control.
  ui::TWinControl* focused = FindControl(GetFocus());
  bool onPage = false;
  for (ui::TControl* c = focused; c && !onPage; c = c->Parent()) onPage = c == activePage_;
  ShowPage(pages_[next]);
  if (!onPage) return;
  std::vector<ui::TWinControl*> controls;
  pages_[next]->GetTabOrderList(controls);
  for (ui::TWinControl* control : controls)
    if (control->TabStop() && control->CanFocus()) return ui::FocusFromKeyboard(*control);
  Strip().SetFocus();
}

void TkivPageControl::ShowControl(ui::TControl* control) {
  TkivTab::ShowControl(control);
  if (auto* page = dynamic_cast<TkivTabSheet*>(control)) ShowPage(page);
}

void TkivPageControl::InsertPage(TkivTabSheet& page) {
  page.pageControl_ = this;
  page.SetColor(Color());
  page.SetBorderColorFromControl(BorderColor());
  pages_.push_back(&page);
  RenumberPages();
  RebuildTabTexts();
  ShowPage(&page);
}

void TkivPageControl::RemovePage(TkivTabSheet& page) {
  const int old = PositionOf(&page);
  pages_.erase(pages_.begin() + old);
  // A page that left is no longer linked: its tab visibility and moves no longer reach the
  // strip positions of the pages that stayed.
  page.pageControl_ = nullptr;
  page.pageIndex_ = -1;
  if (activePage_ == &page) activePage_ = nullptr;
  RenumberPages();
  RebuildTabTexts();
  // While the control or its window goes, no page comes forward and no event is raised.
  for (const ui::TComponent* c = this; c; c = c->Owner())
    if (c->IsDestroying()) return;
  ActivatePageIndex(old - 1);
}

void TkivPageControl::MovePage(TkivTabSheet& page, int index) {
  const int from = PositionOf(&page);
  if (from < 0 || index < 0 || index >= PageCount()) return;
  pages_.erase(pages_.begin() + from);
  pages_.insert(pages_.begin() + index, &page);
  RenumberPages();
  RebuildTabTexts();
  ShowPage(&page);
}

void TkivPageControl::RenumberPages() {
  for (int i = 0; i < PageCount(); ++i) pages_[i]->pageIndex_ = i;
}

void TkivPageControl::RebuildTabTexts() {
  ui::TStringList& tabs = Strip().Tabs();
  tabs.BeginUpdate();
  tabs.Clear();
  for (TkivTabSheet* page : pages_) tabs.Add(page->caption_);
  tabs.EndUpdate();
}

void TkivPageControl::GetTabOrderList(std::vector<ui::TWinControl*>& list) const {
  std::vector<ui::TWinControl*> below;
  TkivTab::GetTabOrderList(below);
  const auto behind = [this](const ui::TControl* control) {
    for (; control && control != this; control = control->Parent())
      if (control != activePage_ && PositionOf(control) >= 0) return true;
    return false;
  };
  for (ui::TWinControl* control : below)
    if (!behind(control)) list.push_back(control);
}

// The layout's last page has been linked: the pages take the order of the stored names, and
// the strip the tab visibility each page was stored with.
void TkivPageControl::PageLinked() {
  if (savedPageNames_.size() != pages_.size()) return;
  auto rank = [this](const TkivTabSheet* page) {
    auto found = std::find(savedPageNames_.begin(), savedPageNames_.end(), page->Name());
    return found == savedPageNames_.end() ? -1 : static_cast<int>(found - savedPageNames_.begin());
  };
  std::stable_sort(pages_.begin(), pages_.end(),
                   [&](const TkivTabSheet* a, const TkivTabSheet* b) { return rank(a) < rank(b); });
  RenumberPages();
  RebuildTabTexts();
  for (TkivTabSheet* page : pages_) Strip().SetTabVisible(page->pageIndex_, page->tabVisible_);
}

void TkivPageControl::ShowPage(TkivTabSheet* page) {
  // Only the control's own pages can be shown; anything else leaves no page active.
  if (page && page->pageControl_ != this) page = nullptr;
  activePage_ = page;
  if (!page) return;
  const int index = page->pageIndex_;
  SetTabIndex(index);
  Strip().SetTabIndex(index);
  BringForward(*page);
}

void TkivPageControl::ActivatePageIndex(int index) {
  if (index < 0 || index >= PageCount()) {
    activePage_ = nullptr;
    return;
  }
  ShowPage(pages_[index]);
}

void TkivPageControl::SelectNeighbourPage(int index) {
  for (int i = std::min(index, PageCount()) - 1; i >= 0; --i)
    if (pages_[i]->TabVisible()) return ActivatePageIndex(i);
  for (int i = std::max(index + 1, 0); i < PageCount(); ++i)
    if (pages_[i]->TabVisible()) return ActivatePageIndex(i);
}

void TkivPageControl::BringForward(TkivTabSheet& page) {
  page.SetVisible(true);
  page.BringToFront();
  if (page.OnShow) page.OnShow(&page);
}

void TkivPageControl::TabActivated(int index) {
  // A tab with no page (-1, or an index past the pages) leaves no page in front.
  activePage_ = index >= 0 && index < PageCount() ? pages_[index] : nullptr;
  if (activePage_) BringForward(*activePage_);
  TkivTab::TabActivated(index);
}

void TkivPageControl::BorderColorChanged() {
  for (TkivTabSheet* page : pages_) page->SetBorderColorFromControl(BorderColor());
  if (activePage_) activePage_->Invalidate();
}

void TkivPageControl::UpdateChildStyle(TkivUIStyle style) {
  for (TkivTabSheet* page : pages_) {
    page->SetColor(Color());
    page->SetBorderColorFromControl(BorderColor());
    ApplyStyleToChildren(*page, style);
  }
}

}  // namespace kiv
