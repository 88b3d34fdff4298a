// Rip benchmark (run by hand, not a test): tracks of 7 seconds, 1 minute and 5 minutes of the
// simulated drive ripped at 8x and 64x to WAV, MP3, Ogg Vorbis and WMA through the COM
// interface. A rip is paced to the drive speed, so it should take the paced time (track length /
// speed) and no more. The whole rip also holds what every rip does once, whatever its length (the worker
// started, the drive opened anew, the drive-ready test at its end), so the reading itself is
// timed too: from the first progress report to the last, against 99 % of the paced time. The
// short track's figures are the medians of seven rips. An encoding rip may add at most what its
// encoder needs on its own, measured here by encoding 5 minutes straight through the AudioFile
// object; the files' average bitrates are printed beside (the default format asks for a
// nominal 128 kbit/s).
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
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The disc: 7 seconds, 1 minute, 5 minutes.
constexpr int kTrackFrames[] = {7 * 75, 60 * 75, 5 * 60 * 75};
constexpr int kLongFrames = kTrackFrames[2];
// A rip of a fraction of a second meets every stray delay of a shared machine: the short track
// is ripped several times and the median printed.
constexpr int kRuns[] = {7, 1, 1};
constexpr int kSpeeds[] = {8, 64};
constexpr int kEncodeSpeed = 64;
constexpr double kLongMinutes = kLongFrames / 75.0 / 60.0;

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

template <class T, class Less>
T Median(std::vector<T> values, Less less) {
    std::sort(values.begin(), values.end(), less);
    return values[values.size() / 2];
}

int RipsOver(const RipperClient& client) {
    int over = 0;
    for (const RipperEvent& event : client.events()) over += event.id == kRipProgressEvent && event.argument == 100;
    return over;
}

// When the RipProgress events of the running rip arrived: the first and the last.
struct ProgressTimes {
    double first = -1;
    double last = -1;
    void Reset() { first = last = -1; }
    void Heard() {
        last = WallSeconds();
        if (first < 0) first = last;
    }
};

// Average bitrate of a file of `seconds` of audio, kbit/s.
double KbitPerSecond(const std::string& path, double seconds) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    const double bytes = static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow;
    return bytes * 8 / seconds / 1000;
}

// The same audio straight through an encoder set up as a rip sets it up by default (MP3 at
// 128 kbit/s with encoder quality 8, Ogg Vorbis at a nominal 128 kbit/s, WMA at profile 24), in
// blocks of one tick of a 64x rip (20 ms).
Measure EncodeAlone(const std::wstring& path, LONG mode) {
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
    file->SetWmaParameter(-1);
    file->SetWmaProfile(24);
    std::vector<std::uint8_t> audio(std::size_t(kLongFrames) * simdrive::kFrameBytes);
    simdrive::GenerateAudioFrames(0, kLongFrames, audio.data());
    const int tickFrames = 75 * kEncodeSpeed / 50;
    return Time([&] {
        file->SetInputFormat(44100, 2);
        file->CreateOutputFile(com::bstr(path).get(), mode);
        for (int frame = 0; frame < kLongFrames; frame += tickFrames) {
            const int frames = std::min(tickFrames, kLongFrames - frame);
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
    config.Drive("0:1:0").Key("disc", "bench").Disc("bench");
    for (int frames : kTrackFrames) config.Track("audio " + std::to_string(frames));
    simdrive::UseConfig(simdrive::ScratchPath("bench-drives.ini"), config.Text());

    RipperClient client;
    if (!client || FAILED(client->DriverOpen()) || FAILED(client->Refresh())) {
        std::printf("the ripper did not open the simulated drive\n");
        return 1;
    }
    ProgressTimes progress;
    const com::ptr<com::EventSink> sink =
        com::make<com::EventSink>(DIID__IAudioCDRipperEvents, [&](DISPID id, const DISPPARAMS&) {
            if (id == kRipProgressEvent) progress.Heard();
        });
    com::Connection connection;
    connection.connect(client.get(), DIID__IAudioCDRipperEvents, sink->identity());
    client->put_ripModePreset(BURST);
    client->put_driveSpinUpTime(0);

    std::printf("%-5s %6s %5s %4s %9s %9s %8s %10s %8s %9s %8s\n", "rip", "track", "speed", "runs", "paced s", "whole s",
                "vs paced", "reading s", "vs 99%", "CPU s", "kbit/s");
    struct Rip {
        const char* name;
        const char* extension;
        HRESULT (STDMETHODCALLTYPE IAudioCDRipper::*method)(BSTR);
    };
    for (const int speed : kSpeeds) {
        for (int track = 0; track < 3; ++track) {
            const double seconds = kTrackFrames[track] / 75.0;
            const double paced = seconds / speed;
            for (const Rip& rip : {Rip{"WAV", ".wav", &IAudioCDRipper::RipTrackToWav},
                                   Rip{"MP3", ".mp3", &IAudioCDRipper::RipTrackToMP3},
                                   Rip{"Ogg", ".ogg", &IAudioCDRipper::RipTrackToOGG},
                                   Rip{"WMA", ".wma", &IAudioCDRipper::RipTrackToWMA}}) {
                client->put_trackNum(track + 1);
                client->put_driveSpeed(speed);
                const std::string path = ScratchFolder() + "bench";
                const com::bstr name = com::bstr::from_ansi(path);
                std::vector<Measure> wholes;
                std::vector<double> readings;
                for (int run = 0; run < kRuns[track]; ++run) {
                    const int before = RipsOver(client);
                    progress.Reset();
                    wholes.push_back(Time([&] {
                        (client.get()->*rip.method)(name.get());
                        client.pumpUntil([&] { return RipsOver(client) > before; }, 600000);
                    }));
                    readings.push_back(progress.last - progress.first);
                }
                const Measure measure = Median(wholes, [](const Measure& a, const Measure& b) { return a.wall < b.wall; });
                const double reading = Median(readings, std::less<double>());
                std::printf("%-5s %5.0fs %4dx %4d %9.3f %9.3f %7.1f%% %10.3f %7.1f%% %9.3f %8.1f\n", rip.name, seconds,
                            speed, kRuns[track], paced, measure.wall, 100.0 * (measure.wall / paced - 1), reading,
                            100.0 * (reading / (0.99 * paced) - 1), measure.cpu,
                            KbitPerSecond(path + rip.extension, seconds));
            }
        }
    }
    for (const auto& [name, extension, mode] :
         {std::tuple{"MP3", ".mp3", 2L}, std::tuple{"Ogg", ".ogg", 0L}, std::tuple{"WMA", ".wma", 0L}}) {
        const std::string file = std::string("alone") + extension;
        const Measure alone = EncodeAlone(std::wstring(file.begin(), file.end()), mode);
        std::printf("%s encoder alone, 5:00: wall %.3f s, CPU %.3f s (%.3f s/min audio), %.1f kbit/s\n", name,
                    alone.wall, alone.cpu, alone.cpu / kLongMinutes, KbitPerSecond(file, kLongFrames / 75.0));
    }
    if (!client.errors().empty()) std::printf("errors: %zu\n", client.errors().size());
    connection.disconnect();
    client->DriverClose();
    return 0;
}
