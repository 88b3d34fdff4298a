// TGraphic: a picture that knows its size and draws itself into a rectangle of a canvas.
#pragma once

#include <functional>
#include <memory>

#include "Win32.h"

namespace ui {

class TCanvas;

class TGraphic {
 public:
  TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;
  virtual ~TGraphic() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  bool Empty() const { return Width() <= 0 || Height() <= 0; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

  // Draws the picture stretched to rect (the canvas calls this; use TCanvas::Draw).
  virtual void Draw(TCanvas& canvas, const RECT& rect) const = 0;
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

  // Told after every change of the picture; its holder (a TPicture) sets it.
  std::function<void()> OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange();
  }

 private:
  bool transparent_ = false;
};

}  // namespace ui
