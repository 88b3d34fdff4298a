// Unit KIVPageControl: the skinned page control TkivPageControl, one TkivTabSheet page per
// tab, the page of the selected tab in front of the others; its strip
// TkivPageControlTopPanel. Pages join and leave the control by becoming or ceasing to be its
// children. Make the control with ui::Create<TkivPageControl>(owner).
#pragma once

#include <string>
#include <vector>

#include "KIVTabControl.h"

namespace kiv {

class TkivPageControl;

class TkivPageControlTopPanel : public TkivTabControlTopPanel {
  UI_CLASS(TkivPageControlTopPanel, TkivTabControlTopPanel)
 public:
  using TkivTabControlTopPanel::TkivTabControlTopPanel;
};

class TkivTabSheet : public ui::TCustomPanel, public IkivFormPanel {
  UI_CLASS(TkivTabSheet, ui::TCustomPanel)
 public:
  explicit TkivTabSheet(ui::TComponent* AOwner);
  ~TkivTabSheet() override;

  // The page control that lists this page, or none.
  TkivPageControl* PageControl() const { return pageControl_; }
  int PageIndex() const { return pageIndex_; }
  // Moves a listed page to that position (0 .. last page; other values are ignored).
  void SetPageIndex(int value);
  // The tab text: the page's own, in place of the panel's caption (which stays " ", so the
  // page paints no text of its own).
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  bool TabVisible() const;
  // Hiding a tab brings the nearest shown page forward; showing one activates its page.
  void SetTabVisible(bool value);
  TColor BorderColor() const { return borderColor_; }
  void ApplyFormPanelStyle(TkivUIStyle style) override { ApplyStyleToChildren(*this, style); }
  // The stored "PageControl" value, read as a window layout is applied: the page control of
  // that name among the page's owner's components.
  void ReadStoredPageControl(const std::string& name);

  ui::TNotifyEvent OnShow;

 protected:
  void Paint() override;

 private:
  friend class TkivPageControl;
  void SetBorderColorFromControl(TColor color);

  TkivPageControl* pageControl_ = nullptr;
  int pageIndex_ = -1;
  std::string caption_;
  TColor borderColor_ = ui::clBlack;
  bool tabVisible_ = true;
};

class TkivPageControl : public TkivTab {
  UI_CLASS(TkivPageControl, TkivTab)
 public:
  using TkivTab::TkivTab;
  ~TkivPageControl() override;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TkivTabSheet* Pages(int index) const { return pages_.at(index); }
  TkivTabSheet* ActivePage() const { return activePage_; }
  // Brings the page to the front and selects its tab; none, or a page that is not one of
  // this control's, leaves no page active.
  void SetActivePage(TkivTabSheet* page) { ShowPage(page); }
  // The stored "Pages" value (the pages' names in page order), read as a layout is applied.
  void ReadStoredPages(const std::vector<std::string>& names);
  // The pages behind the front one stay shown: Tab runs through the front page only.
  void GetTabOrderList(std::vector<ui::TWinControl*>& list) const override;
  // A control on a page behind that becomes the form's active control brings its page to
  // the front.
  void ShowControl(ui::TControl* control) override;

 protected:
  friend class TkivTabSheet;
  void AfterConstruction() override;
  TkivTabControlTopPanel* CreateTopPanel() override;
  void BorderColorChanged() override;
  void TabActivated(int index) override;
  void UpdateChildStyle(TkivUIStyle style) override;
  void WndProc(ui::TMessage& Message) override;

 private:
  void ShowPage(TkivTabSheet* page);
  // Ctrl+Tab and Ctrl+PageDown turn to the next shown page, with Shift and Ctrl+PageUp to the
  // one before, round past the ends: the control holding the focus turns, or any when none does.
  bool TurnsPagesFor(WPARAM key) const;
  void TurnPage(bool forward);
  void ActivatePageIndex(int index);
  void SelectNeighbourPage(int index);
  void BringForward(TkivTabSheet& page);
  void InsertPage(TkivTabSheet& page);
  void RemovePage(TkivTabSheet& page);
  void MovePage(TkivTabSheet& page, int index);
  void RenumberPages();
  void RebuildTabTexts();
  void PageLinked();
  int PositionOf(const ui::TControl* page) const;

  std::vector<TkivTabSheet*> pages_;
  TkivTabSheet* activePage_ = nullptr;
  std::vector<std::string> savedPageNames_;
};

}  // namespace kiv
