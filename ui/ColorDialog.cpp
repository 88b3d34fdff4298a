#include "ColorDialog.h"

#include <commdlg.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Application.h"

namespace ui {

namespace {
constexpr int kCustomCount = 16;

std::string CustomKey(int index) { return std::string("Color") + static_cast<char>('A' + index); }
}  // namespace

bool TColorDialog::Execute() {
  COLORREF custom[kCustomCount];
  for (int i = 0; i < kCustomCount; ++i) {
    custom[i] = RGB(255, 255, 255);
    const std::string prefix = CustomKey(i) + "=";
    for (int line = 0; line < customColors_.Count(); ++line) {
      const std::string& text = customColors_[line];
      if (text.compare(0, prefix.size(), prefix) == 0)
        custom[i] = static_cast<COLORREF>(std::strtoul(text.c_str() + prefix.size(), nullptr, 16));
    }
  }
  CHOOSECOLORA choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = GetActiveWindow();
  choose.rgbResult = ColorToRGB(color_);
  choose.lpCustColors = custom;
  choose.Flags = CC_RGBINIT | CC_ANYCOLOR;
  TApplication& application = Application();
  const bool confirmed = application.ChooseColorSink ? application.ChooseColorSink(choose)
                                                     : ChooseColorA(&choose) != FALSE;
  if (!confirmed) return false;
  color_ = choose.rgbResult;
  customColors_.Clear();
  for (int i = 0; i < kCustomCount; ++i) {
    char value[16];
    std::snprintf(value, sizeof value, "%.8lx", static_cast<unsigned long>(custom[i]));
    customColors_.Add(CustomKey(i) + "=" + value);
  }
  return true;
}

}  // namespace ui
