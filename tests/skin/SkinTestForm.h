// A window wearing a stand-in form skin: the owner-form lookups find a form skin by its class
// name among the window's controls and read its style, which is all the skinned controls ask
// of it when they are made.
#pragma once

#include "Form.h"
#include "KIVThemes.h"

namespace skintest {

class TkivForm : public ui::TWinControl, public kiv::IkivStyled {
  UI_CLASS(TkivForm, ui::TWinControl)
 public:
  explicit TkivForm(ui::TWinControl* host) : TWinControl(host) { SetParent(host); }
  kiv::TkivUIStyle UIStyle() const override { return style_; }
  void SetUIStyle(kiv::TkivUIStyle style) override { style_ = style; }

 private:
  kiv::TkivUIStyle style_ = kiv::TkivUIStyle::DeepBlue;
};

// The five theme styles, with the names their pictures are saved under.
struct NamedStyle {
  kiv::TkivUIStyle style;
  const char* name;
};
inline constexpr NamedStyle kThemeStyles[] = {{kiv::TkivUIStyle::MacOS, "MacOS"},
                                              {kiv::TkivUIStyle::WinXP, "WinXP"},
                                              {kiv::TkivUIStyle::DeepBlue, "DeepBlue"},
                                              {kiv::TkivUIStyle::Protein, "Protein"},
                                              {kiv::TkivUIStyle::BlueGlass, "BlueGlass"}};

class SkinnedForm : public ui::TForm {
 public:
  SkinnedForm() : TForm(nullptr) { SetBorderStyle(ui::bsNone); }
  TkivForm* skin = new TkivForm(this);
};

// A control made on the form, placed on it at the given bounds.
template <typename T>
T* Put(ui::TForm& form, int left, int top, int width, int height) {
  auto* control = new T(&form);
  control->SetParent(&form);
  control->SetBounds(left, top, width, height);
  return control;
}

}  // namespace skintest
