// The build's picture generator for the application (runs on the build machine): draws the
// splash, about and advert pictures, stored as JPEG files, and the main window's tool-bar
// pictures and decoration, stored as BMP files (the tool-bar strip keeps its magenta key
// exact), and writes the resource script that embeds them all as RCDATA by name.
//   make_app_art <output folder> <resource script> <bold font> <regular font>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "Artwork.h"
#include "ImageFiles.h"
#include "JpegFile.h"
#include "ToolBarArt.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: make_app_art <folder> <resource script> <bold font> <regular font>\n");
    return 2;
  }
  const std::string folder = argv[1];
  try {
    appart::Lettering lettering;
    const appart::Fonts fonts{argv[3], argv[4]};
    struct Entry {
      const char* name;
      skinart::Picture picture;
    };
    const Entry entries[] = {
        {"FLASH_PICTURE", appart::FlashPicture(lettering, fonts)},
        {"ABOUT_PICTURE", appart::AboutPicture(lettering, fonts)},
        {"ADVERT_PICTURE", appart::AdvertPicture(lettering, fonts)},
    };
    std::ofstream script(argv[2]);
    for (const Entry& entry : entries) {
      const std::string file = folder + "/" + entry.name + ".jpg";
      if (!appart::WriteJpeg(file, entry.picture, 92)) {
        std::fprintf(stderr, "make_app_art: cannot write %s\n", file.c_str());
        return 1;
      }
      script << entry.name << " RCDATA \"" << file << "\"\n";
    }
    const Entry bitmaps[] = {
        {"TOOLBAR_PICTURES", appart::ToolBarPictures()},
        {"PLAYER_TOOLBAR_PICTURES", appart::PlayerToolBarPictures()},
        {"TOOLBAR_RULE", appart::ToolBarRule()},
        {"STATUS_GROUND", appart::StatusGround()},
    };
    for (const Entry& entry : bitmaps) {
      const std::string file = folder + "/" + entry.name + ".bmp";
      if (!skinart::WriteBmp(file, entry.picture.pixels, entry.picture.width, entry.picture.height)) {
        std::fprintf(stderr, "make_app_art: cannot write %s\n", file.c_str());
        return 1;
      }
      script << entry.name << " RCDATA \"" << file << "\"\n";
    }
    if (!script.flush()) {
      std::fprintf(stderr, "make_app_art: cannot write %s\n", argv[2]);
      return 1;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_app_art: %s\n", error.what());
    return 1;
  }
  return 0;
}
