#include "tests/outside/AudioFileClient.h"

#include "com/Bstr.h"
#include "com/Result.h"

#include <algorithm>

namespace outside_test {

HRESULT createServerObject(const wchar_t* dll, REFCLSID clsid, REFIID iid, void** out) {
  // Kept loaded for the whole program, as COM keeps a server it has loaded.
  const HMODULE server = LoadLibraryW(dll);
  using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  const auto getClassObject = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(server ? GetProcAddress(server, "DllGetClassObject") : nullptr));
  if (!getClassObject) return E_FAIL;
  com::ptr<IClassFactory> factory;
  RETURN_IF_FAILED(getClassObject(clsid, IID_IClassFactory, factory.put_void()));
  return factory->CreateInstance(nullptr, iid, out);
}

com::safearray sampleBlock(std::span<const int16_t> samples) {
  com::safearray block(SafeArrayCreateVector(VT_I2, 0, static_cast<ULONG>(samples.size())));
  com::safearray_data<SHORT> data(block.get());
  std::copy(samples.begin(), samples.end(), data.begin());
  return block;
}

std::vector<int16_t> samplesOf(SAFEARRAY* block) {
  com::safearray_data<SHORT> data(block);
  return {data.begin(), data.end()};
}

ControlReading readThroughControl(const std::wstring& path, LONG blockFrames) {
  ControlReading reading;
  auto control = createAudioFileObject<IAudioFileControl>(CLSID_AudioFileControl);
  if (!control) return reading;
  control->CloseFile();
  control->put_WmaFormatEnabled(VARIANT_TRUE);
  EXPECT_EQ(control->OpenFile(com::bstr(path).get(), 0, 1), S_OK);
  control->get_OpenError(&reading.openError);
  control->get_TotalSamples(&reading.totalSamples);
  control->get_FormatA(&reading.formatA);
  control->get_FormatB(&reading.formatB);
  while (true) {
    com::safearray block;
    EXPECT_EQ(control->ReadSamples(blockFrames, block.put()), S_OK);
    const auto samples = samplesOf(block.get());
    if (samples.empty()) break;
    reading.pcm.insert(reading.pcm.end(), samples.begin(), samples.end());
  }
  control->CloseFile();
  return reading;
}

}  // namespace outside_test
