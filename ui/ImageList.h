// TCustomImageList: pictures of one size kept in a system image list, each with an optional
// mask, drawn by index (greyed for a disabled look).
#pragma once

#include "Bitmap.h"
#include "Component.h"
#include "Handles.h"

namespace ui {

class TCustomImageList : public TComponent {
  UI_CLASS(TCustomImageList, TComponent)
 public:
  explicit TCustomImageList(TComponent* AOwner, int width = 16, int height = 16);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Changing the size empties the list.
  void SetSize(int width, int height);
  int Count() const;
  void Clear();
  HIMAGELIST Handle() const { return list_.get(); }

  // Adds the picture (several images when it is a multiple of the width) drawn opaque; returns
  // the index of the first image added, -1 on failure.
  int Add(const TBitmap& image);
  // Adds it with every pixel of maskColor left out when drawn.
  int AddMasked(const TBitmap& image, TColor maskColor);
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

 private:
  void Create();

  int width_;
  int height_;
  UniqueImageList list_;
};

}  // namespace ui
