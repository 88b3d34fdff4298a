// Rip benchmark (run by hand, not a test): a 5-minute track of the simulated drive ripped at
// 64x to WAV, MP3 and Ogg Vorbis through the COM interface. A rip is paced to the drive
// speed, so it should take the paced time (track length / speed) and no more; an encoding rip
// may add at most what its encoder needs on its own, measured here by encoding the same audio
// straight through the AudioFile object.
#include "RipperClient.h"

#include "com/Apartment.h"
#include "com/Bstr.h"
#include "com/SafeArray.h"

#include "AudioGenerator.h"
#include "ConfigText.h"
#include "TestFiles.h"

#include "ZEVAudioFile.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr int kTrackFrames = 5 * 60 * 75;
constexpr int kSpeed = 64;
constexpr double kAudioMinutes = kTrackFrames / 75.0 / 60.0;

double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& time) {
        return (static_cast<double>(time.dwHighDateTime) * 4294967296.0 + time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

double WallSeconds() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Measure {
    double wall;
    double cpu;
};

template <class Work>
Measure Time(Work work) {
    const double wall = WallSeconds();
    const double cpu = CpuSeconds();
    work();
    return {WallSeconds() - wall, CpuSeconds() - cpu};
}

int RipsOver(const RipperClient& client) {
    int over = 0;
    for (const RipperEvent& event : client.events()) over += event.id == kRipProgressEvent && event.argument == 100;
    return over;
}

// The same audio straight through an encoder set up as a rip sets it up by default (MP3 at
// 128 kbit/s with encoder quality 8, Ogg Vorbis at a nominal 128 kbit/s), in blocks of one
// tick of a 64x rip (20 ms).
Measure EncodeAlone(const wchar_t* extension, LONG mode) {
    com::ptr<IAudioFile> file;
    com::ptr<IAudioFileLameMp3Encoder> mp3;
    if (FAILED(CoCreateInstance(CLSID_AudioFile, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(file.put()))) ||
        FAILED(CoCreateInstance(CLSID_AudioFileLameMp3Encoder, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(mp3.put()))))
        return {-1, -1};
    mp3->put_EncoderQuality(8);
    file->SetMp3Encoder(mp3.get());
    file->SetMp3Format(44100, 128, 2);
    file->SetOggFormat(44100, 2, 128, 0, 0, -1);
    const std::wstring path = std::wstring(L"alone") + extension;
    std::vector<std::uint8_t> audio(std::size_t(kTrackFrames) * simdrive::kFrameBytes);
    simdrive::GenerateAudioFrames(0, kTrackFrames, audio.data());
    const int tickFrames = 75 * kSpeed / 50;
    return Time([&] {
        file->SetInputFormat(44100, 2);
        file->CreateOutputFile(com::bstr(path).get(), mode);
        for (int frame = 0; frame < kTrackFrames; frame += tickFrames) {
            const int frames = std::min(tickFrames, kTrackFrames - frame);
            com::safearray block(SafeArrayCreateVector(VT_I2, 0, static_cast<ULONG>(frames) * 1176));
            com::safearray_data<SHORT> data(block.get());
            std::memcpy(data.begin(), audio.data() + std::size_t(frame) * simdrive::kFrameBytes,
                        std::size_t(frames) * simdrive::kFrameBytes);
            SAFEARRAY* raw = block.get();
            file->WriteSamples(&raw);
        }
        file->CloseFile();
    });
}

}  // namespace

int main() {
    com::apartment apartment;
    UseRipperServer();
    simdrive::ConfigText config;
    config.Drive("0:1:0").Key("disc", "long").Disc("long").Track("audio " + std::to_string(kTrackFrames));
    simdrive::UseConfig(simdrive::ScratchPath("bench-drives.ini"), config.Text());

    RipperClient client;
    if (!client || FAILED(client->DriverOpen()) || FAILED(client->Refresh())) {
        std::printf("the ripper did not open the simulated drive\n");
        return 1;
    }
    client->put_trackNum(1);
    client->put_ripModePreset(BURST);
    client->put_driveSpeed(kSpeed);
    client->put_driveSpinUpTime(0);

    const double ideal = kTrackFrames / 75.0 / kSpeed;
    // The engine paces whole milliseconds a block (5 ms for 26 frames at 64x), and the small
    // blocks near the track's ends one interval each.
    const double pacedBlocks = 36 * 0.005 + ((kTrackFrames - 100 + 25) / 26) * 0.005;
    std::printf("5:00 track at %dx: ideal %.3f s (length / speed), the engine's pacing %.3f s\n", kSpeed, ideal,
                pacedBlocks);
    std::printf("%-5s %10s %10s %12s %16s\n", "rip", "wall s", "vs ideal", "CPU s", "CPU s/min audio");

    struct Rip {
        const char* name;
        HRESULT (STDMETHODCALLTYPE IAudioCDRipper::*method)(BSTR);
    };
    for (const Rip& rip : {Rip{"WAV", &IAudioCDRipper::RipTrackToWav}, Rip{"MP3", &IAudioCDRipper::RipTrackToMP3},
                           Rip{"Ogg", &IAudioCDRipper::RipTrackToOGG}}) {
        const int before = RipsOver(client);
        const com::bstr name = com::bstr::from_ansi(ScratchFolder() + "bench");
        const Measure measure = Time([&] {
            (client.get()->*rip.method)(name.get());
            client.pumpUntil([&] { return RipsOver(client) > before; }, 120000);
        });
        std::printf("%-5s %10.3f %9.1f%% %12.3f %16.3f\n", rip.name, measure.wall, 100.0 * (measure.wall / ideal - 1),
                    measure.cpu, measure.cpu / kAudioMinutes);
    }
    for (const auto& [name, extension, mode] :
         {std::tuple{"MP3", L".mp3", 2L}, std::tuple{"Ogg", L".ogg", 0L}}) {
        const Measure alone = EncodeAlone(extension, mode);
        std::printf("%s encoder alone: wall %.3f s, CPU %.3f s (%.3f s/min audio)\n", name, alone.wall, alone.cpu,
                    alone.cpu / kAudioMinutes);
    }
    if (!client.errors().empty()) std::printf("errors: %zu\n", client.errors().size());
    client->DriverClose();
    return 0;
}
