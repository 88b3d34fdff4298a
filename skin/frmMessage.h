// Unit frmMessage: the window of the skinned message dialog, made anew from its layout for
// every showing: a dialog-framed form wearing the form skin, with the text beside an icon.
#pragma once

#include "Form.h"
#include "KIVForm.h"
#include "Image.h"
#include "Label.h"

namespace kiv {

class TfrmMsg : public ui::TForm {
  UI_CLASS(TfrmMsg, ui::TForm)
 public:
  explicit TfrmMsg(ui::TComponent* AOwner);

  TkivForm* kivForm1 = nullptr;
  // Word-wrapped at a fixed width, growing downwards with its text.
  ui::TLabel* lbl = nullptr;
  // The icon, sized to its picture.
  ui::TImage* Image1 = nullptr;
};

}  // namespace kiv
