// Unit KIVTabControl: the common base of the skinned tab and page controls (TkivTab), its tab
// strip (TkivTabControlTopPanel: a row of tabs drawn from the style's tab pictures, aligned to
// the top of the control) and the tab control TkivTabControl (captions and a selected index,
// no pages). Make them with ui::Create<T>(owner): the strip is made in the second phase.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "KIVThemes.h"
#include "Panel.h"
#include "StringList.h"

namespace kiv {

class TkivTab;

using TTabActiveNotify = std::function<void(ui::TComponent* Sender, int TabIndex)>;

// A tab's width in the strip for its caption's text width: text + 20, 80 for an empty
// caption, never below 15.
int TabWidth(const std::string& caption, int textWidth);
// The tab under (x, y) by the widths recorded at the last paint (0 for a hidden tab): strictly
// between a tab's left and right edges and between 0 and the tab height; -1 when none is.
int TabAtPoint(const std::vector<int>& widths, int leftMargin, int tabHeight, int x, int y);

class TkivTabControlTopPanel : public ui::TCustomPanel {
  UI_CLASS(TkivTabControlTopPanel, ui::TCustomPanel)
 public:
  // The strip of ownerTab, which is its owner and its parent.
  explicit TkivTabControlTopPanel(TkivTab& ownerTab);

  ui::TStringList& Tabs() { return tabs_; }
  TkivUIStyle UIStyle() const { return uiStyle_; }
  void SetUIStyle(TkivUIStyle style);
  int TabIndex() const { return tabIndex_; }
  // -1 .. the last tab selects (and tells the owner, also when the index is unchanged);
  // another value only repaints; with no tabs the index becomes -1.
  void SetTabIndex(int value);
  int LeftMargin() const { return leftMargin_; }
  void SetLeftMargin(int value);
  // Whether the tab at a strip position is shown (positions never set are).
  bool TabVisible(int position) const;
  void SetTabVisible(int position, bool visible);
  // Widths of the tabs as drawn by the last paint (-1: not drawn yet, 0: hidden).
  const std::vector<int>& TabWidths() const { return widths_; }
  int TabHeight() const { return tabHeight_; }
  // The nearest shown tab after (or before) the selected one; past the last it goes round to
  // the first when wrap is set, else there is none: -1.
  int NextShownTab(bool forward, bool wrap) const;

 protected:
  void WndProc(ui::TMessage& Message) override;
  void Paint() override;
  // A click on a tab selects it; a strip that is a Tab stop takes the focus with it.
  void MouseDown(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) override;
  // With the focus, the arrow keys select the tab before or after, as in any tab strip.
  void KeyDown(WORD& Key, ui::TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;
  TkivTab& OwnerTab() { return owner_; }

 private:
  TkivTab& owner_;
  ui::TStringList tabs_;
  TkivUIStyle uiStyle_ = TkivUIStyle::Custom;
  std::string activeName_, inactiveName_, lineName_;
  int tabIndex_ = 0;
  int leftMargin_ = 10;
  std::vector<int> widths_;
  int tabHeight_ = 0;
  std::vector<bool> hidden_;  // by strip position; positions past its end are shown
};

class TkivTab : public ui::TCustomPanel,
                public IkivStyled,
                public IkivBorderColored,
                public IkivFormPanel {
  UI_CLASS(TkivTab, ui::TCustomPanel)
 public:
  explicit TkivTab(ui::TComponent* AOwner);

  TkivUIStyle UIStyle() const override { return uiStyle_; }
  // Custom is ignored (the previous style stays); another style takes the theme's colours.
  void SetUIStyle(TkivUIStyle style) override;
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor color) override;
  // The font of the tab captions (not the panel's own).
  const ui::TFont& TabFont() const { return tabFont_; }
  void SetTabFont(const ui::TFont& font);
  int LeftMargin() const { return strip_->LeftMargin(); }
  void SetLeftMargin(int value) { strip_->SetLeftMargin(value); }
  TkivTabControlTopPanel& Strip() const { return *strip_; }
  void ApplyFormPanelStyle(TkivUIStyle style) override { SetUIStyle(style); }

  TTabActiveNotify OnTabActive;

 protected:
  friend class TkivTabControlTopPanel;
  void AfterConstruction() override;
  virtual TkivTabControlTopPanel* CreateTopPanel() = 0;
  virtual void SetTabIndex(int index) { strip_->SetTabIndex(index); }
  virtual void BorderColorChanged() {}
  // A tab became selected: raises OnTabActive, unless the control is being loaded.
  virtual void TabActivated(int index);
  virtual void UpdateChildStyle(TkivUIStyle style) { ApplyStyleToChildren(*this, style); }
  void WndProc(ui::TMessage& Message) override;
  void Paint() override;

 private:
  TkivTabControlTopPanel* strip_ = nullptr;
  TkivUIStyle uiStyle_ = TkivUIStyle::Custom;
  TColor borderColor_ = ui::clBlack;
  ui::TFont tabFont_;
};

class TkivTabControl : public TkivTab {
  UI_CLASS(TkivTabControl, TkivTab)
 public:
  using TkivTab::TkivTab;

  ui::TStringList& Tabs() { return Strip().Tabs(); }
  void SetTabs(const ui::TStringList& tabs) { Strip().Tabs().Assign(tabs); }
  int TabIndex() const { return Strip().TabIndex(); }
  void SetTabIndex(int index) override { TkivTab::SetTabIndex(index); }

 protected:
  TkivTabControlTopPanel* CreateTopPanel() override;
};

}  // namespace kiv
