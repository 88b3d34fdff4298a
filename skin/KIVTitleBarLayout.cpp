#include "KIVTitleBarLayout.h"

#include <stdexcept>

namespace kiv {

std::vector<TitleSectionPlace> LayoutTitleSections(const std::vector<TitleSectionSpec>& sections,
                                                   int barWidth, int barHeight) {
  std::vector<TitleSectionPlace> places;
  int left = -1;
  int right = barWidth + 1;
  int client = -1;
  for (int i = 0; i < static_cast<int>(sections.size()); ++i) {
    const int width = sections[i].width;
    switch (sections[i].align) {
      case kivLeft:
        places.push_back({i, {left + 1, 0, left + 1 + width, barHeight}});
        left += width;
        break;
      case kivRight:
        if (barWidth - left < width) break;
        places.push_back({i, {right - width - 1, 0, right - 1, barHeight}});
        right -= width;
        break;
      case kivClient:
        client = i;
        break;
    }
  }
  if (client >= 0) places.push_back({client, {left + 1, 0, right - 1, barHeight}});
  return places;
}

TitleButtonLayout PlaceTitleButtons(const std::vector<TitleButtonSpec>& buttons, int barWidth,
                                    const TitleButtonOffsets& offsets, bool drawAppIcon) {
  TitleButtonLayout layout;
  int x = barWidth + offsets.right + 1;
  layout.captionRight = x;
  for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
    const TitleButtonSpec& b = buttons[i];
    if (b.type == kivControlBox) {
      layout.controlBox = i;
      continue;
    }
    x -= b.width + offsets.interval + 1;
    layout.right.push_back({i, {x, b.top, x + b.width, b.top + b.height}});
    layout.captionRight = x;
  }
  int caption = offsets.left;
  if (layout.controlBox >= 0) {
    const TitleButtonSpec& box = buttons[layout.controlBox];
    layout.controlBoxRect = {caption, box.top, caption + box.width, box.top + box.height};
    layout.iconAt = {caption + 3, box.top};
    caption += drawAppIcon ? 21 : box.width + 5;
  }
  layout.captionLeft = caption == 0 ? 6 : caption;
  return layout;
}

std::string TitleCaptionText(const std::string& caption, int width,
                             const std::function<int(std::string_view)>& textWidth) {
  if (textWidth(caption) <= width) return caption;
  return caption.substr(0, 2) + "...";
}

com::gdi_region MakeFormRegion(int width, int height, int radius) {
  com::gdi_region region(CreateRoundRectRgn(0, 0, width + 1, height + 1, radius, radius));
  com::gdi_region left(CreateRectRgn(0, height - 2 * radius, 2 * radius, height));
  com::gdi_region right(CreateRectRgn(width - 2 * radius, height - 2 * radius, width, height));
  if (!region || !left || !right) throw std::runtime_error("Cannot create the window region");
  CombineRgn(region.get(), region.get(), left.get(), RGN_OR);
  CombineRgn(region.get(), region.get(), right.get(), RGN_OR);
  return region;
}

}  // namespace kiv
