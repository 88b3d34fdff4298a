// The build's skin bitmap generator (runs on the build machine): draws every bitmap the theme
// table names, for every style, and the bitmaps the controls load by fixed name, writes them as
// BMP files with the program icon as an ICO file, and writes the resource script that embeds
// them all by name. A name in the table without a drawing fails the build.
#include <cstdio>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string>

#include "ControlArt.h"
#include "FixedArt.h"
#include "ImageFiles.h"
#include "KIVThemeTable.h"
#include "TitleArt.h"

namespace skinart {

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool StartsWith(const std::string& text, const std::string& head) { return text.rfind(head, 0) == 0; }

State StateOf(const std::string& part) {
  if (EndsWith(part, "MOUSEON") || part.find("_MOUSEON_") != std::string::npos) return State::MouseOn;
  if (EndsWith(part, "MOUSEDOWN") || part.find("_MOUSEDOWN_") != std::string::npos) return State::MouseDown;
  if (part.find("_DISABLE_") != std::string::npos) return State::Disabled;
  return State::Normal;
}

TitleButton TitleButtonOf(const std::string& part) {
  if (StartsWith(part, "TITLEBTN_CLOSE_")) return TitleButton::Close;
  if (StartsWith(part, "TITLEBTN_MAX_")) return TitleButton::Maximise;
  if (StartsWith(part, "TITLEBTN_MIN_")) return TitleButton::Minimise;
  if (StartsWith(part, "TITLEBTN_HELP_")) return TitleButton::Help;
  if (StartsWith(part, "TITLEBTN_CTLBOX_")) return TitleButton::ControlBox;
  if (StartsWith(part, "TITLEBTN_RST_")) return TitleButton::Restore;
  throw std::runtime_error("no drawing for title button " + part);
}

// The picture of a theme table bitmap, by its part name (the name without the style prefix).
Picture DrawPart(const Palette& p, const std::string& part) {
  if (part == "MENU_CHECKED") return MenuCheckPicture();
  if (StartsWith(part, "BUTTON_")) return ButtonPicture(p, StateOf(part));
  if (StartsWith(part, "CHECKBOX_"))
    return CheckBoxPicture(p, !EndsWith(part, "_UNCHECK"), StateOf(part));
  if (StartsWith(part, "RADIOBUTTON_"))
    return RadioButtonPicture(p, !EndsWith(part, "_UNCHECK"), StateOf(part));
  if (part == "PROGRESSBAR") return ProgressBarPicture(p, false);
  if (part == "PROGRESSBAR_V") return ProgressBarPicture(p, true);
  if (part == "TITLE_LEFT") return TitlePartPicture(p, TitlePart::Left);
  if (part == "TITLE_CLIENT") return TitlePartPicture(p, TitlePart::Client);
  if (part == "TITLE_RIGHT") return TitlePartPicture(p, TitlePart::Right);
  if (StartsWith(part, "TITLEBTN_")) return TitleButtonPicture(p, TitleButtonOf(part), StateOf(part));
  if (part == "TAB_ACTIVE") return TabPicture(p, true);
  if (part == "TAB_INACTIVE") return TabPicture(p, false);
  if (part == "TAB_LINE") return TabLinePicture(p);
  if (part == "TRACKBAR_BAR") return TrackBarPicture(p);
  if (part == "TRACKBAR_SLIDER") return SliderPicture(p, false);
  if (part == "TRACKBAR_SLIDER_V") return SliderPicture(p, true);
  if (StartsWith(part, "SCROLLBAR_TOPBUTTON_")) return ScrollButtonPicture(p, true, StateOf(part));
  if (StartsWith(part, "SCROLLBAR_BTMBUTTON_")) return ScrollButtonPicture(p, false, StateOf(part));
  if (part == "SCROLLBAR_TRACK") return ScrollTrackPicture(p);
  throw std::runtime_error("no drawing for skin bitmap part " + part);
}

class Output {
 public:
  explicit Output(std::string folder) : folder_(std::move(folder)) {}

  void Bitmap(const std::string& name, const Picture& picture) {
    if (!names_.insert(name).second) return;
    const std::string path = folder_ + "/" + name + ".bmp";
    if (!WriteBmp(path, picture.pixels, picture.width, picture.height))
      throw std::runtime_error("cannot write " + path);
    script_ += name + " BITMAP \"" + path + "\"\n";
  }

  void Icon(const std::string& name, const std::vector<const Raster*>& images) {
    const std::string path = folder_ + "/" + name + ".ico";
    if (!WriteIco(path, images)) throw std::runtime_error("cannot write " + path);
    script_ += name + " ICON \"" + path + "\"\n";
  }

  bool Has(const std::string& name) const { return names_.count(name) != 0; }

  void WriteScript(const std::string& path) const {
    std::ofstream file(path);
    file << "// Written by the skin bitmap generator; every skin bitmap by its resource name.\n"
         << script_;
    if (!file) throw std::runtime_error("cannot write " + path);
  }

 private:
  std::string folder_;
  std::set<std::string> names_;
  std::string script_;
};

void Run(const std::string& folder, const std::string& script) {
  Output out(folder);
  for (int row = 1; row <= kiv::kThemeRowCount; ++row) {
    const Palette palette = PaletteOf(static_cast<Look>(row));
    for (int entry = 1; entry <= kiv::kThemeEntryCount; ++entry) {
      const kiv::ThemeEntryValue cell = kiv::ThemeTableCell(row, entry);
      if (cell.kind != kiv::ThemeKind::BitmapName || out.Has(cell.name)) continue;
      const std::string name = cell.name;
      const size_t prefix = name.find('_');
      const std::string part =
          name == "MENU_CHECKED" ? name : name.substr(prefix == std::string::npos ? 0 : prefix + 1);
      out.Bitmap(name, DrawPart(palette, part));
    }
  }
  for (const FixedBitmap& fixed : FixedBitmaps()) out.Bitmap(fixed.name, fixed.draw());
  const Raster icon16 = MainIcon(16), icon32 = MainIcon(32), icon48 = MainIcon(48);
  out.Icon("MAINICON", {&icon16, &icon32, &icon48});
  out.WriteScript(script);
}

}  // namespace
}  // namespace skinart

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <bitmap folder> <resource script>\n", argv[0]);
    return 2;
  }
  try {
    skinart::Run(argv[1], argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
    return 1;
  }
  return 0;
}
