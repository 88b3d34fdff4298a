// Check boxes and radio buttons on a shown window, driven by input through the message queue:
// one activation per click, key or accelerator, with Checked already new when OnClick runs.
#include <gtest/gtest.h>

#include "KIVButton.h"
#include "SkinTestForm.h"
#include "WindowInput.h"
#include "WindowTestKit.h"

using kiv::TkivCheckBox;
using kiv::TkivRadioButton;

namespace {

class TwoStateWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetBounds(40, 40, 320, 140);
    box = Place<TkivCheckBox>(10, 10, "&Normalize");
    first = Place<TkivRadioButton>(10, 40, "MP3");
    second = Place<TkivRadioButton>(10, 60, "Ogg");
    form.Show();
    testkit::Pump();
  }
  template <typename T>
  T* Place(int left, int top, const std::string& caption) {
    T* control = ui::Create<T>(&form);
    control->SetBounds(left, top, 120, 17);
    control->SetCaption(caption);
    control->SetParent(&form);
    control->OnClick = [this, control](ui::TComponent*) {
      clicks.push_back(control->Caption() + (control->Checked() ? " on" : " off"));
    };
    return control;
  }

  skintest::SkinnedForm form;
  TkivCheckBox* box = nullptr;
  TkivRadioButton* first = nullptr;
  TkivRadioButton* second = nullptr;
  std::vector<std::string> clicks;
};

TEST_F(TwoStateWindow, EachActivationTogglesOnceWithTheNewValueInOnClick) {
  testkit::Click(*box, 5, 8);
  EXPECT_EQ(clicks, std::vector<std::string>{"&Normalize on"});
  EXPECT_TRUE(box->Focused());
  testkit::PressKey(VK_SPACE);
  EXPECT_FALSE(box->Checked());
  first->SetFocus();
  testkit::PressKey('N', ui::ssAlt);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, (std::vector<std::string>{"&Normalize on", "&Normalize off", "&Normalize on"}));
  // A double click is two clicks: the box ends where it started.
  testkit::DoubleClick(*box, 5, 8);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks.size(), 5u);
}

TEST_F(TwoStateWindow, ClickingARadioButtonChecksItAndClearsItsGroup) {
  testkit::Click(*first, 5, 8);
  testkit::Click(*second, 5, 8);
  EXPECT_FALSE(first->Checked());
  EXPECT_TRUE(second->Checked());
  // A checked radio button stays checked and still tells of the click.
  testkit::Click(*second, 5, 8);
  EXPECT_TRUE(second->Checked());
  EXPECT_EQ(clicks, (std::vector<std::string>{"MP3 on", "Ogg on", "Ogg on"}));
}

}  // namespace
