// The owner-form lookups and the style pushes, on stand-ins of the skinned classes: the pushes
// find controls by class name, so a stand-in with the right class name and properties is
// handled exactly as the real control will be.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "KIVThemes.h"
#include "WinControl.h"

using kiv::TkivUIStyle;
using ui::TColor;

namespace stand_in {

// A windowed control with every property a push may write, recording style writes.
class Skinned : public ui::TWinControl,
                public kiv::IkivStyled,
                public kiv::IkivBorderColored,
                public kiv::IkivSideBarColored,
                public kiv::IkivFormPanel {
  UI_CLASS(Skinned, ui::TWinControl)
 public:
  explicit Skinned(ui::TWinControl* parent, TkivUIStyle style = TkivUIStyle::MacOS)
      : TWinControl(parent), style_(style) {
    SetParent(parent);
  }
  TkivUIStyle UIStyle() const override { return style_; }
  void SetUIStyle(TkivUIStyle style) override {
    style_ = style;
    styleWrites.push_back(style);
  }
  void SetBorderColor(TColor color) override { borderColor = color; }
  void SetSideBarColor(TColor color) override { sideBarColor = color; }
  void ApplyFormPanelStyle(TkivUIStyle style) override { panelStyles.push_back(style); }

  std::vector<TkivUIStyle> styleWrites;
  std::vector<TkivUIStyle> panelStyles;
  TColor borderColor = 0x123456;
  TColor sideBarColor = 0x123456;

 private:
  TkivUIStyle style_;
};

#define STAND_IN(Name, Base) \
  class Name : public Base { \
    UI_CLASS(Name, Base) \
   public: \
    using Base::Base; \
  };

STAND_IN(TkivForm, Skinned)
STAND_IN(TkivCheckBox, Skinned)
STAND_IN(TkivRadioButton, TkivCheckBox)
STAND_IN(TkivButton, Skinned)
STAND_IN(TkivProgressBar, Skinned)
STAND_IN(TkivListBox, Skinned)
STAND_IN(TkivGroupBox, Skinned)
STAND_IN(TkivCustomGroupBox, Skinned)
STAND_IN(TkivCheckGroup, TkivCustomGroupBox)
STAND_IN(TkivSideChannel, Skinned)
STAND_IN(TkivComboBox, Skinned)
STAND_IN(TkivListView, Skinned)
STAND_IN(TkivImagePanel, Skinned)
STAND_IN(TkivTabSheet, Skinned)
STAND_IN(TkivTrackBar, Skinned)
STAND_IN(TkivScrollTrackBar, TkivTrackBar)

}  // namespace stand_in

namespace {

using namespace stand_in;

class StylePush : public ::testing::Test {
 protected:
  std::unique_ptr<ui::TWinControl> window = std::make_unique<ui::TWinControl>(nullptr);
};

TEST_F(StylePush, AWindowWithoutAFormSkinReadsTheDefaults) {
  new TkivButton(window.get(), TkivUIStyle::WinXP);
  EXPECT_EQ(kiv::GetOwnerFormStyle(window.get()), TkivUIStyle::DeepBlue);
  EXPECT_EQ(kiv::GetOwnerFormColor(window.get()), ui::clBtnFace);
  EXPECT_EQ(kiv::GetOwnerFormBorderColor(window.get()), 0u);
}

TEST_F(StylePush, AnOwnerThatIsNoWindowReadsTheDefaults) {
  ui::TComponent owner(nullptr);
  EXPECT_EQ(kiv::GetOwnerFormStyle(&owner), TkivUIStyle::DeepBlue);
  EXPECT_EQ(kiv::GetOwnerFormStyle(nullptr), TkivUIStyle::DeepBlue);
  EXPECT_EQ(kiv::GetOwnerFormColor(nullptr), ui::clBtnFace);
}

TEST_F(StylePush, TheFirstFormSkinAmongTheChildrenIsRead) {
  new TkivButton(window.get(), TkivUIStyle::Protein);
  auto* skin = new TkivForm(window.get(), TkivUIStyle::WinXP);
  skin->SetColor(0xDEEBEF);
  new TkivForm(window.get(), TkivUIStyle::MacOS);
  EXPECT_EQ(kiv::GetOwnerFormStyle(window.get()), TkivUIStyle::WinXP);
  EXPECT_EQ(kiv::GetOwnerFormColor(window.get()), 0xDEEBEFu);
  EXPECT_EQ(kiv::GetOwnerFormBorderColor(window.get()), 0x686868u);
}

TEST_F(StylePush, AFormSkinDeeperDownIsNotTheOwnersSkin) {
  auto* panel = new ui::TWinControl(window.get());
  panel->SetParent(window.get());
  new TkivForm(panel, TkivUIStyle::WinXP);
  EXPECT_EQ(kiv::GetOwnerFormStyle(window.get()), TkivUIStyle::DeepBlue);
}

TEST_F(StylePush, StyledControlsFollowUnlessTheyAreCustom) {
  auto* button = new TkivButton(window.get(), TkivUIStyle::MacOS);
  auto* customButton = new TkivButton(window.get(), TkivUIStyle::Custom);
  auto* bar = new TkivProgressBar(window.get(), TkivUIStyle::Custom);
  auto* combo = new TkivComboBox(window.get(), TkivUIStyle::Custom);
  kiv::ApplyStyleToChildren(*window, TkivUIStyle::WinXP);
  EXPECT_EQ(button->UIStyle(), TkivUIStyle::WinXP);
  EXPECT_EQ(customButton->UIStyle(), TkivUIStyle::Custom);
  EXPECT_TRUE(customButton->styleWrites.empty());
  EXPECT_EQ(bar->UIStyle(), TkivUIStyle::Custom);
  EXPECT_EQ(combo->UIStyle(), TkivUIStyle::WinXP);  // combo boxes always follow
}

TEST_F(StylePush, ARadioButtonIsHandledAsCheckBoxToo) {
  auto* radio = new TkivRadioButton(window.get(), TkivUIStyle::MacOS);
  kiv::ApplyStyleToChildren(*window, TkivUIStyle::Protein);
  EXPECT_EQ(radio->styleWrites, (std::vector{TkivUIStyle::Protein, TkivUIStyle::Protein}));
  // Pushing Custom makes it Custom in the first row; the check box row then leaves it.
  radio->styleWrites.clear();
  kiv::ApplyStyleToChildren(*window, TkivUIStyle::Custom);
  EXPECT_EQ(radio->styleWrites, (std::vector{TkivUIStyle::Custom}));
}

TEST_F(StylePush, BorderedControlsTakeTheBorderColour) {
  auto* list = new TkivListBox(window.get());
  auto* view = new TkivListView(window.get());
  kiv::ApplyStyleToChildren(*window, TkivUIStyle::WinXP);
  EXPECT_EQ(list->borderColor, 0x686868u);
  EXPECT_EQ(view->borderColor, 0x686868u);
  EXPECT_TRUE(list->styleWrites.empty());
  kiv::ApplyStyleToChildren(*window, TkivUIStyle::Custom);
  EXPECT_EQ(list->borderColor, 0u);  // Custom has no colours: black
}

TEST_F(StylePush, GroupBoxesAndSideChannelsTakeTheirColours) {
  auto* group = new TkivGroupBox(window.get());
  auto* side = new TkivSideChannel(window.get());
  kiv::ApplyStyleToChildren(*window, TkivUIStyle::WinXP);
  EXPECT_EQ(group->borderColor, 0x686868u);
  EXPECT_EQ(group->Font().Color(), 0xCF4602u);
  EXPECT_EQ(group->Color(), 0xDEEBEFu);
  EXPECT_EQ(side->Color(), 0xDEEBEFu);
  EXPECT_EQ(side->sideBarColor, 0xDEEBEFu);
}

TEST_F(StylePush, AClassIsHandledByTheRowsOfItsAncestors) {
  auto* checkGroup = new TkivCheckGroup(window.get(), TkivUIStyle::Custom);
  auto* scrollTrack = new TkivScrollTrackBar(window.get(), TkivUIStyle::Custom);
  kiv::ApplyStyleToChildren(*window, TkivUIStyle::BlueGlass);
  // A check group is a custom group box, not a group box: only its own row applies.
  EXPECT_EQ(checkGroup->UIStyle(), TkivUIStyle::BlueGlass);
  EXPECT_EQ(checkGroup->borderColor, 0x123456u);
  EXPECT_EQ(scrollTrack->UIStyle(), TkivUIStyle::BlueGlass);
}

TEST_F(StylePush, OnlyDirectChildrenAndKnownClassesAreTouched) {
  auto* panel = new TkivImagePanel(window.get());
  auto* inner = new TkivButton(panel, TkivUIStyle::MacOS);
  auto* plain = new Skinned(window.get(), TkivUIStyle::MacOS);
  kiv::ApplyStyleToChildren(*window, TkivUIStyle::WinXP);
  EXPECT_EQ(inner->UIStyle(), TkivUIStyle::MacOS);
  EXPECT_TRUE(plain->styleWrites.empty());
  EXPECT_EQ(plain->borderColor, 0x123456u);
  EXPECT_TRUE(panel->styleWrites.empty());
}

TEST_F(StylePush, FormPanelsPassTheStyleOn) {
  auto* skin = new TkivForm(window.get(), TkivUIStyle::MacOS);
  auto* image = new TkivImagePanel(skin);
  auto* group = new TkivGroupBox(skin);
  auto* sheet = new TkivTabSheet(skin);
  auto* checkGroup = new TkivCheckGroup(skin);
  auto* button = new TkivButton(skin);
  kiv::ApplyStyleToFormPanels(*skin, TkivUIStyle::DeepBlue);
  for (Skinned* panel : std::vector<Skinned*>{image, group, sheet})
    EXPECT_EQ(panel->panelStyles, (std::vector{TkivUIStyle::DeepBlue}));
  EXPECT_TRUE(checkGroup->panelStyles.empty());
  EXPECT_TRUE(button->panelStyles.empty());
  EXPECT_TRUE(button->styleWrites.empty());
}

}  // namespace
