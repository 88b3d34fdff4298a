// A client of the registered ZEVAudioFile server, as the ripper and the player use it.
#pragma once

#include "com/Ptr.h"
#include "com/SafeArray.h"

#include "ZEVAudioFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace outside_test {

// Creates an object of a server DLL of this build through the DLL's own class factory. The
// tests leave the Wine prefix's registry alone: other programs of the run (the ripper's) see
// the prefix as they expect it, with no outside components registered.
HRESULT createServerObject(const wchar_t* dll, REFCLSID clsid, REFIID iid, void** out);

template <class I>
com::ptr<I> createServerObject(const wchar_t* dll, REFCLSID clsid) {
  com::ptr<I> object;
  EXPECT_EQ(createServerObject(dll, clsid, __uuidof(I), object.put_void()), S_OK);
  return object;
}

template <class I>
com::ptr<I> createAudioFileObject(REFCLSID clsid) {
  return createServerObject<I>(L"ZEVAudioFile.dll", clsid);
}

// A one-dimensional, zero-based VT_I2 array, as the ripper's timer makes it.
com::safearray sampleBlock(std::span<const int16_t> samples);

// Everything the file control reads from a file, opened as the player opens it.
struct ControlReading {
  LONG openError = -1;
  LONG totalSamples = 0;
  LONG formatA = 0;  // sample rate
  LONG formatB = 0;  // channels
  std::vector<int16_t> pcm;
};
ControlReading readThroughControl(const std::wstring& path, LONG blockFrames = 4410);

// The samples of a sample block.
std::vector<int16_t> samplesOf(SAFEARRAY* block);

}  // namespace outside_test
