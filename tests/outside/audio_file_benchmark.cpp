// Encoding speed of the AudioFile component against the libraries called directly: 5 minutes of
// CD audio at the component's default settings (MP3, then WMA profile 24), handed over in 20 ms
// blocks as the ripper's timer does (a new SAFEARRAY each block), and the same audio, in the
// same blocks, given to libmp3lame, or to ffmpeg's wmav2 encoder and ASF muxer, with the same
// settings and written to a file. The two ways take turns, seven runs each; the fastest run of
// each counts. Times are the thread's processor time on one processor, so that other work on
// the machine counts as little as it can. Last, the time the file control takes to open the WMA
// file, which it decodes whole to count its samples. Usage: outside_audio_file_benchmark [seconds of audio]
#include "com/Apartment.h"
#include "com/Bstr.h"
#include "tests/outside/AudioFileClient.h"
#include "tests/outside/AudioTestSupport.h"

#include <lame/lame.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <random>

using namespace outside_test;

namespace {

constexpr size_t kBlockFrames = 882;  // 20 ms
constexpr int kRuns = 7;

// Something closer to music than a pure tone: chords that change every half second, a slow
// tremolo and some noise, so that LAME has real work to do.
std::vector<int16_t> musicLikeAudio(int seconds) {
  const size_t frames = static_cast<size_t>(seconds) * kCdRate;
  std::vector<int16_t> pcm(frames * 2);
  std::mt19937 random(1);
  std::uniform_real_distribution<double> noise(-1, 1);
  const double roots[] = {220, 246.9, 261.6, 293.7, 329.6, 349.2, 392};
  for (size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kCdRate;
    const double root = roots[(i / (kCdRate / 2)) % 7];
    const double tremolo = 0.75 + 0.25 * std::sin(2 * std::numbers::pi * 3 * t);
    double left = 0, right = 0;
    for (double ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
      left += std::sin(2 * std::numbers::pi * root * ratio * t) / ratio;
      right += std::sin(2 * std::numbers::pi * root * ratio * 1.002 * t + ratio) / ratio;
    }
    pcm[2 * i] = static_cast<int16_t>(5000 * tremolo * left + 600 * noise(random));
    pcm[2 * i + 1] = static_cast<int16_t>(5000 * tremolo * right + 600 * noise(random));
  }
  return pcm;
}

double secondsSince(double start) { return threadSeconds() - start; }

// Mode 2 writes MP3, 0 (with a ".wma" name) WMA.
double throughComponent(const std::vector<int16_t>& pcm, const std::wstring& path, LONG mode) {
  auto file = createAudioFileObject<IAudioFile>(CLSID_AudioFile);
  file->SetWmaParameter(-1);
  file->SetWmaProfile(24);
  const double start = threadSeconds();
  file->CreateOutputFile(com::bstr(path).get(), mode);
  LONG status = -1;
  file->GetOpenStatus(&status);
  file->SetInputFormat(44100, 2);
  if (status != AFS_READY) {
    std::printf("the component could not open %ls (status %ld)\n", path.c_str(), static_cast<long>(status));
    std::exit(1);
  }
  for (size_t i = 0; i < pcm.size(); i += 2 * kBlockFrames) {
    const size_t n = std::min(2 * kBlockFrames, pcm.size() - i);
    SAFEARRAY* block = SafeArrayCreateVector(VT_I2, 0, static_cast<ULONG>(n));
    void* data = nullptr;
    SafeArrayAccessData(block, &data);
    std::copy(pcm.begin() + static_cast<ptrdiff_t>(i), pcm.begin() + static_cast<ptrdiff_t>(i + n),
              static_cast<int16_t*>(data));
    SafeArrayUnaccessData(block);
    file->WriteSamples(&block);
    SafeArrayDestroy(block);
  }
  if (FAILED(file->CloseFile())) {
    std::printf("the component failed to write %ls\n", path.c_str());
    std::exit(1);
  }
  return secondsSince(start);
}

// LAME set up as the component sets it up for a new settings object: 128 kbit/s constant,
// plain stereo, quality 5, VBR ("Info") header, no filters, no ID3 tag.
double directlyThroughLame(const std::vector<int16_t>& pcm, const std::wstring& path) {
  const double start = threadSeconds();
  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
  lame_t lame = lame_init();
  lame_set_in_samplerate(lame, 44100);
  lame_set_num_channels(lame, 2);
  lame_set_out_samplerate(lame, 44100);
  lame_set_write_id3tag_automatic(lame, 0);
  lame_set_mode(lame, STEREO);
  lame_set_quality(lame, 5);
  lame_set_VBR(lame, vbr_off);
  lame_set_brate(lame, 128);
  lame_set_bWriteVbrTag(lame, 1);
  lame_set_lowpassfreq(lame, -1);
  lame_set_highpassfreq(lame, -1);
  lame_init_params(lame);
  std::vector<unsigned char> buffer(kBlockFrames * 5 / 4 + 7200);
  DWORD written = 0;
  for (size_t i = 0; i < pcm.size(); i += 2 * kBlockFrames) {
    const int frames = static_cast<int>(std::min(2 * kBlockFrames, pcm.size() - i) / 2);
    const int n = lame_encode_buffer_interleaved(lame, const_cast<short*>(&pcm[i]), frames, buffer.data(),
                                                 static_cast<int>(buffer.size()));
    WriteFile(out, buffer.data(), static_cast<DWORD>(n), &written, nullptr);
  }
  const int n = lame_encode_flush(lame, buffer.data(), static_cast<int>(buffer.size()));
  WriteFile(out, buffer.data(), static_cast<DWORD>(n), &written, nullptr);
  const size_t tag = lame_get_lametag_frame(lame, buffer.data(), buffer.size());
  SetFilePointer(out, 0, nullptr, FILE_BEGIN);
  WriteFile(out, buffer.data(), static_cast<DWORD>(tag), &written, nullptr);
  lame_close(lame);
  CloseHandle(out);
  return secondsSince(start);
}

int writeToFile(void* file, uint8_t* data, int size) {
  DWORD written = 0;
  return WriteFile(static_cast<HANDLE>(file), data, static_cast<DWORD>(size), &written, nullptr) ? size : -1;
}

int64_t seekInFile(void* file, int64_t offset, int whence) {
  LARGE_INTEGER distance, reached;
  distance.QuadPart = offset;
  if (whence & AVSEEK_SIZE) return GetFileSizeEx(static_cast<HANDLE>(file), &reached) ? reached.QuadPart : -1;
  const DWORD origin = (whence & 3) == SEEK_CUR ? FILE_CURRENT : (whence & 3) == SEEK_END ? FILE_END : FILE_BEGIN;
  return SetFilePointerEx(static_cast<HANDLE>(file), distance, &reached, origin) ? reached.QuadPart : -1;
}

// ffmpeg set up as the component sets it up for profile 24: wmav2 at 128 kbit/s, 44100 Hz
// stereo, in ASF packets of four 743-byte frames, the samples turned to planar floats as the
// encoder takes them, a frame of silence before them and the end filled up with one more.
double directlyThroughFfmpeg(const std::vector<int16_t>& pcm, const std::wstring& path) {
  const double start = threadSeconds();
  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
  const AVCodec* wmav2 = avcodec_find_encoder(AV_CODEC_ID_WMAV2);
  AVCodecContext* codec = avcodec_alloc_context3(wmav2);
  codec->sample_fmt = AV_SAMPLE_FMT_FLTP;
  codec->sample_rate = 44100;
  codec->bit_rate = 128000;
  codec->time_base = {1, 44100};
  av_channel_layout_default(&codec->ch_layout, 2);
  const bool codecOpen = avcodec_open2(codec, wmav2, nullptr) == 0;
  AVFormatContext* muxer = nullptr;
  avformat_alloc_output_context2(&muxer, nullptr, "asf", nullptr);
  const int ioBytes = 1 << 16;
  muxer->pb = avio_alloc_context(static_cast<unsigned char*>(av_malloc(ioBytes)), ioBytes, 1, out, nullptr,
                                 writeToFile, seekInFile);
  AVStream* stream = avformat_new_stream(muxer, nullptr);
  avcodec_parameters_from_context(stream->codecpar, codec);
  stream->time_base = codec->time_base;
  AVDictionary* options = nullptr;
  av_dict_set_int(&options, "packet_size", 4 * (743 + 17) + 12, 0);
  const bool started = codecOpen && avformat_write_header(muxer, &options) >= 0;
  av_dict_free(&options);
  if (!started) {
    std::printf("ffmpeg could not start %ls\n", path.c_str());
    std::exit(1);
  }
  AVFrame* frame = av_frame_alloc();
  frame->format = codec->sample_fmt;
  frame->nb_samples = codec->frame_size;
  av_channel_layout_copy(&frame->ch_layout, &codec->ch_layout);
  av_frame_get_buffer(frame, 0);
  AVPacket* packet = av_packet_alloc();
  const auto encode = [&](AVFrame* input) {
    avcodec_send_frame(codec, input);
    while (avcodec_receive_packet(codec, packet) == 0) {
      av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
      av_write_frame(muxer, packet);
    }
  };
  const size_t frameSize = static_cast<size_t>(codec->frame_size);
  std::vector<float> left(frameSize), right(frameSize);
  int64_t pts = 0;
  const auto encodeWhole = [&] {
    size_t used = 0;
    for (; left.size() - used >= frameSize; used += frameSize) {
      av_frame_make_writable(frame);
      std::copy_n(left.begin() + static_cast<ptrdiff_t>(used), frameSize, reinterpret_cast<float*>(frame->data[0]));
      std::copy_n(right.begin() + static_cast<ptrdiff_t>(used), frameSize, reinterpret_cast<float*>(frame->data[1]));
      frame->pts = pts;
      pts += codec->frame_size;
      encode(frame);
    }
    left.erase(left.begin(), left.begin() + static_cast<ptrdiff_t>(used));
    right.erase(right.begin(), right.begin() + static_cast<ptrdiff_t>(used));
  };
  for (size_t i = 0; i < pcm.size(); i += 2 * kBlockFrames) {
    const size_t end = std::min(i + 2 * kBlockFrames, pcm.size());
    for (size_t j = i; j < end; j += 2) {
      left.push_back(pcm[j] / 32768.0f);
      right.push_back(pcm[j + 1] / 32768.0f);
    }
    encodeWhole();
  }
  const size_t silence = (frameSize - left.size() % frameSize) % frameSize + frameSize;
  left.resize(left.size() + silence, 0.0f);
  right.resize(right.size() + silence, 0.0f);
  encodeWhole();
  encode(nullptr);
  av_write_trailer(muxer);
  av_packet_free(&packet);
  av_frame_free(&frame);
  av_freep(&muxer->pb->buffer);
  avio_context_free(&muxer->pb);
  avformat_free_context(muxer);
  avcodec_free_context(&codec);
  CloseHandle(out);
  return secondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
  com::apartment sta;
  // One processor for every run, so that moving between processors adds no noise.
  SetThreadAffinityMask(GetCurrentThread(), 1);
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
  const auto pcm = musicLikeAudio(seconds);
  av_log_set_level(AV_LOG_QUIET);
  double mp3Component = 1e9, lame = 1e9, wmaComponent = 1e9, ffmpeg = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    // Each goes first every other time, so that neither always meets a warmer machine.
    if (run % 2) lame = std::min(lame, directlyThroughLame(pcm, scratchPath(L"direct.mp3")));
    mp3Component = std::min(mp3Component, throughComponent(pcm, scratchPath(L"component.mp3"), 2));
    if (run % 2 == 0) lame = std::min(lame, directlyThroughLame(pcm, scratchPath(L"direct.mp3")));
    if (run % 2) ffmpeg = std::min(ffmpeg, directlyThroughFfmpeg(pcm, scratchPath(L"direct.wma")));
    wmaComponent = std::min(wmaComponent, throughComponent(pcm, scratchPath(L"component.wma"), 0));
    if (run % 2 == 0) ffmpeg = std::min(ffmpeg, directlyThroughFfmpeg(pcm, scratchPath(L"direct.wma")));
  }
  const bool same = readBytes(scratchPath(L"direct.mp3")) == readBytes(scratchPath(L"component.mp3"));
  // ASF files carry their creation time and an identifier of their own: only their sizes compare.
  const bool sameSize = readBytes(scratchPath(L"direct.wma")).size() == readBytes(scratchPath(L"component.wma")).size();
  std::printf("%d s of CD audio, 128 kbit/s stereo, 20 ms blocks, processor time, best of %d runs\n", seconds, kRuns);
  std::printf("libmp3lame directly:  %.2f s, %.1f times real time\n", lame, seconds / lame);
  std::printf("AudioFile MP3:        %.2f s, %.1f times real time\n", mp3Component, seconds / mp3Component);
  std::printf("component cost over the library: %+.1f %%%s\n", (mp3Component / lame - 1) * 100,
              same ? "" : " (the two files differ!)");
  std::printf("ffmpeg wmav2 directly: %.2f s, %.1f times real time\n", ffmpeg, seconds / ffmpeg);
  std::printf("AudioFile WMA:        %.2f s, %.1f times real time\n", wmaComponent, seconds / wmaComponent);
  std::printf("component cost over the library: %+.1f %%%s\n", (wmaComponent / ffmpeg - 1) * 100,
              sameSize ? "" : " (the two files differ in size!)");
  auto control = createAudioFileObject<IAudioFileControl>(CLSID_AudioFileControl);
  control->put_WmaFormatEnabled(VARIANT_TRUE);
  const double opening = threadSeconds();
  control->OpenFile(com::bstr(scratchPath(L"component.wma")).get(), 0, 1);
  std::printf("file control opening the WMA file: %.2f s\n", secondsSince(opening));
  return 0;
}
