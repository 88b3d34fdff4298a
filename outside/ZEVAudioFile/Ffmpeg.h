// What the WMA encoder and reader share of ffmpeg: owners of its objects, its I/O over our own
// file access (wide names and Windows errors, which its file protocol would not give), and its
// log kept quiet (a component has no console to write to; failures reach the caller as
// results).
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}

#include <memory>

namespace audiofile::ffmpeg {

struct FreeCodec {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FreeFrame {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct FreePacket {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FreeResampler {
  void operator()(SwrContext* s) const { swr_free(&s); }
};
struct FreeOutput {
  void operator()(AVFormatContext* f) const { avformat_free_context(f); }
};
struct CloseInput {
  void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
};
// Also frees the buffer ffmpeg may have replaced since the context was made.
struct FreeIo {
  void operator()(AVIOContext* io) const {
    av_freep(&io->buffer);
    avio_context_free(&io);
  }
};

using Codec = std::unique_ptr<AVCodecContext, FreeCodec>;
using Frame = std::unique_ptr<AVFrame, FreeFrame>;
using Packet = std::unique_ptr<AVPacket, FreePacket>;
using Resampler = std::unique_ptr<SwrContext, FreeResampler>;
using Output = std::unique_ptr<AVFormatContext, FreeOutput>;
using Input = std::unique_ptr<AVFormatContext, CloseInput>;
using Io = std::unique_ptr<AVIOContext, FreeIo>;

using ReadCallback = int (*)(void* opaque, uint8_t* buffer, int size);
using WriteCallback = int (*)(void* opaque, uint8_t* buffer, int size);
using SeekCallback = int64_t (*)(void* opaque, int64_t offset, int whence);

// Silences ffmpeg's log; every user of ffmpeg calls it before its first ffmpeg call.
void quietLog();

// A seekable I/O context over opaque: for reading when write is null, else for writing.
Io makeIo(void* opaque, ReadCallback read, WriteCallback write, SeekCallback seek);

// The position a seek callback moves to from `current` in a stream of `size` bytes (whence
// as ffmpeg gives it: SEEK_SET, SEEK_CUR, SEEK_END, perhaps with AVSEEK_FORCE); -1 when it
// would lie outside 0..size. AVSEEK_SIZE answers the size.
int64_t seekTarget(int64_t current, int64_t size, int64_t offset, int whence);

}  // namespace audiofile::ffmpeg
