// The build's picture generator for the application (runs on the build machine): draws the
// splash, about and advert pictures, stores them as JPEG files and writes the resource script
// that embeds them by name.
//   make_app_art <output folder> <resource script> <bold font> <regular font>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "Artwork.h"
#include "JpegFile.h"

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
