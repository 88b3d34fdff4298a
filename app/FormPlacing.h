// Placing a window's components as its layout builder does: made with the form as owner,
// named, put on their parent at their bounds. Call inside the form's ui::TLayoutLoading scope.
#pragma once

#include <string>
#include <vector>

#include "Form.h"
#include "KIVButton.h"
#include "KIVComboBox.h"
#include "Label.h"
#include "ToolBar.h"

namespace app {

template <typename T>
T* Place(ui::TForm& form, ui::TWinControl* parent, const char* name, int left, int top, int width, int height) {
  T* control = ui::Create<T>(&form);
  control->SetName(name);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

// A label sized to its caption.
inline ui::TLabel* PlaceLabel(ui::TForm& form, ui::TWinControl* parent, const char* name, const std::string& caption,
                              int left, int top) {
  auto* label = Place<ui::TLabel>(form, parent, name, left, top, 0, 0);
  label->SetAutoSize(true);
  label->SetCaption(caption);
  return label;
}

// A skinned push button at the height its style gives it.
inline kiv::TkivButton* PlaceButton(ui::TForm& form, ui::TWinControl* parent, const char* name,
                                    const std::string& caption, int left, int top, int width) {
  auto* button = ui::Create<kiv::TkivButton>(&form);
  button->SetName(name);
  button->SetParent(parent);
  button->SetBounds(left, top, width, button->Height());
  button->SetCaption(caption);
  return button;
}

// A dialog's answer buttons: Enter presses ok (when there is one) and Escape cancel, wherever
// the focus is, as in any dialog of the system.
inline void SetDialogKeys(kiv::TkivButton* ok, kiv::TkivButton* cancel) {
  if (ok) ok->SetDefault(true);
  cancel->SetCancel(true);
}

// A skinned drop-down list holding these items.
inline kiv::TkivComboBox* PlaceList(ui::TForm& form, ui::TWinControl* parent, const char* name,
                                const std::vector<std::string>& items, int left, int top, int width) {
  auto* list = Place<kiv::TkivComboBox>(form, parent, name, left, top, width, 22);
  list->SetStyle(ui::csDropDownList);
  for (const std::string& item : items) list->Items().Add(item);
  return list;
}

// A tool button added at the end of its bar, showing the bar's picture imageIndex; a click
// calls the form's handler, if it has one.
template <typename Form>
ui::TToolButton* PlaceToolButton(Form& form, ui::TToolBar* bar, const char* name, const char* caption,
                                 const char* hint, int imageIndex, void (Form::*handler)(ui::TComponent*)) {
  auto* button = ui::Create<ui::TToolButton>(&form);
  button->SetName(name);
  button->SetParent(bar);
  button->SetCaption(caption);
  button->SetHint(hint);
  button->SetImageIndex(imageIndex);
  if (handler) button->OnClick = [&form, handler](ui::TComponent* sender) { (form.*handler)(sender); };
  return button;
}

}  // namespace app
