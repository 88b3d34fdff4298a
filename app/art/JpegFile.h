// Writing a finished picture as a JPEG file through libjpeg, as the program's pictures are stored.
#pragma once

#include <string>

#include "Picture.h"

namespace appart {

// Full colour resolution (no chroma subsampling) keeps small lettering sharp; false on failure.
bool WriteJpeg(const std::string& path, const skinart::Picture& picture, int quality);

}  // namespace appart
