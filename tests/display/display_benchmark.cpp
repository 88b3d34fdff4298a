// How long SendArray takes for a 4096-sample block on the hosted control, including the
// immediate redraw it does, for each display type. The player calls it on every timer tick.
// Needs a display (Xvfb); prints one line per type.
#include "HostWindow.h"
#include "SampleBlock.h"
#include "ServerDll.h"

#include "com/Apartment.h"
#include "com/ControlHost.h"

#include "ZEVAudioDisplay.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kBlocks = 2000;
constexpr size_t kSamples = 4096;

const char* const kTypeNames[] = {"tdOutLine", "tdAnalog", "tdFFTFire", "tdFFTGlass", "tdFFTKryptonite"};

// A few blocks of stereo tones, so every call sees changing levels and curves.
std::vector<com::safearray> makeBlocks() {
    std::vector<com::safearray> blocks;
    for (int b = 0; b < 8; ++b) {
        com::safearray block = sampleArray(kSamples, 0);
        com::safearray_data<int16_t> data(block.get());
        for (size_t i = 0; i < kSamples; ++i) {
            const double amplitude = (b + 1) * 3500.0 * ((i & 1) ? 0.6 : 1.0);
            data.begin()[i] = static_cast<int16_t>(amplitude * std::sin(static_cast<double>(i) * (0.01 + 0.003 * b)));
        }
        blocks.push_back(std::move(block));
    }
    return blocks;
}

double secondsNow() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main() {
    com::apartment sta;
    ServerDll dll(L"ZEVAudioDisplay.dll");
    if (!sta || !dll || FAILED(dll.registerServer())) {
        std::puts("cannot register ZEVAudioDisplay.dll");
        return 1;
    }
    HostWindow parent(400, 200);
    com::ControlHost host;
    if (FAILED(host.create(CLSID_ZEVAudioDisplay, parent.get(), RECT{0, 0, 250, 92}))) {
        std::puts("cannot host the control (is there a display?)");
        return 1;
    }
    com::ptr<IZEVAudioDisplay> display = host.query<IZEVAudioDisplay>();
    display->put_FFTWindowsSize(kSamples);
    std::vector<com::safearray> blocks = makeBlocks();
    std::printf("SendArray of %zu samples with its redraw, 250 x 92 control, %d blocks a type:\n", kSamples, kBlocks);
    for (int type = tdOutLine; type <= tdFFTKryptonite; ++type) {
        display->put_TypeDisplay(static_cast<TypeDisplay>(type));
        HostWindow::pump();
        const double start = secondsNow();
        for (int i = 0; i < kBlocks; ++i) {
            SAFEARRAY* block = blocks[static_cast<size_t>(i) % blocks.size()].get();
            display->SendArray(&block);
        }
        const double perBlock = (secondsNow() - start) / kBlocks;
        std::printf("  %-16s %8.1f us\n", kTypeNames[type], perBlock * 1e6);
    }
    host.close();
    return 0;
}
