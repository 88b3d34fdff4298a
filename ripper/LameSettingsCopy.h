// The 22 MP3 encoder settings carried by property name from one object to another: from the
// client's AudioCDRipperLameMP3Encoder to the outside AudioFileLameMp3Encoder, and back so the
// client sees what the encoder took. Both objects name the settings alike.
#pragma once

#include <oaidl.h>

// Reads every setting from `from` (rate, bitrates, channels, stereo mode and coding method
// through their checks), then puts them to `to` in the same order. A failing read leaves `to`
// untouched; a failing put stops there. Returns the first failure or S_OK; throws
// std::bad_alloc when memory runs out.
HRESULT CopyLameSettings(IDispatch* from, IDispatch* to);
