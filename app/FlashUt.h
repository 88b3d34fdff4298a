// TfrmFlash, the splash window: a borderless picture centred on the screen while the other
// windows are created at start-up.
#pragma once

#include "Form.h"
#include "Image.h"

namespace app {

class TfrmFlash : public ui::TForm {
  UI_CLASS(TfrmFlash, TForm)
 public:
  explicit TfrmFlash(ui::TComponent* AOwner);

  ui::TImage* ImgFlash = nullptr;
};

}  // namespace app
