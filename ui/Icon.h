// TIcon: an icon resource of the program drawn at the size asked for.
#pragma once

#include <string>

#include "Graphic.h"
#include "Handles.h"

namespace ui {

class TIcon : public TGraphic {
 public:
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  HICON Handle() const { return icon_.get(); }

  // Loads the icon resource of that name from the module (nullptr: the program) in the given
  // size (0 takes the system's icon size); false when there is none.
  bool LoadFromResourceName(HINSTANCE module, const char* name, int width = 0, int height = 0);
  // Loads an .ico file in the given size (0: the system's icon size); false when it cannot.
  bool LoadFromFile(const std::string& fileName, int width = 0, int height = 0);

  void Draw(TCanvas& canvas, const RECT& rect) const override;
  std::unique_ptr<TGraphic> Clone() const override;

 private:
  bool TakeIcon(HICON loaded);

  com::unique_icon icon_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace ui
