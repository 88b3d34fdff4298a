#include "outside/ZEVAudioFile/WmaReader.h"

#include <algorithm>

namespace audiofile {
namespace {

// How far before the packet holding a frame a seek starts decoding: at least this many packets
// and this many frames.
constexpr size_t kSettlingPackets = 3;
constexpr int64_t kSettlingFrames = 16384;

bool isWma(AVCodecID id) {
  return id == AV_CODEC_ID_WMAV1 || id == AV_CODEC_ID_WMAV2 || id == AV_CODEC_ID_WMAPRO ||
         id == AV_CODEC_ID_WMALOSSLESS;
}

}  // namespace

// One pass over the file: its demuxer, the decoder of its WMA stream and the conversion to
// interleaved 16-bit samples. The I/O context goes last: the demuxer uses it to the end.
struct WmaReader::Decoding {
  ffmpeg::Io io;
  ffmpeg::Input input;
  ffmpeg::Codec codec;
  ffmpeg::Resampler resampler;
  ffmpeg::Packet packet{av_packet_alloc()};
  ffmpeg::Frame frame{av_frame_alloc()};
  int stream = -1;
  int64_t frames = 0;    // decoded since the start of the file (or the packet skipped to)
  int64_t startSkip = 0; // what the decoder asks to leave out at the start of the file
  bool draining = false; // the demuxer has no more packets
  bool ended = false;    // nor the decoder samples
};

WmaReader::WmaReader(File file) : file_(std::move(file)) { fileSize_ = file_.size(); }

WmaReader::~WmaReader() = default;

std::unique_ptr<WmaReader> WmaReader::open(File file) {
  ffmpeg::quietLog();
  std::unique_ptr<WmaReader> reader(new WmaReader(std::move(file)));
  if (reader->fileSize_ < 0 || !reader->restart() || !reader->scan() || !reader->restart()) return nullptr;
  return reader;
}

int WmaReader::readIo(void* opaque, uint8_t* buffer, int size) {
  auto& self = *static_cast<WmaReader*>(opaque);
  const size_t got = self.file_.read(buffer, static_cast<size_t>(size));
  if (got == 0) return AVERROR_EOF;
  self.filePosition_ += static_cast<int64_t>(got);
  return static_cast<int>(got);
}

int64_t WmaReader::seekIo(void* opaque, int64_t offset, int whence) {
  auto& self = *static_cast<WmaReader*>(opaque);
  const int64_t target = ffmpeg::seekTarget(self.filePosition_, self.fileSize_, offset, whence);
  if (target < 0) return AVERROR(EINVAL);
  if (whence & AVSEEK_SIZE) return target;
  if (self.file_.seek(target, FILE_BEGIN) < 0) return AVERROR(EIO);
  self.filePosition_ = target;
  return target;
}

bool WmaReader::restart() {
  decoding_.reset();
  decoded_.clear();
  decodedUsed_ = 0;
  packetsRead_ = 0;
  position_ = 0;
  if (file_.seek(0, FILE_BEGIN) < 0) return false;
  filePosition_ = 0;
  auto d = std::make_unique<Decoding>();
  d->io = ffmpeg::makeIo(this, readIo, nullptr, seekIo);
  AVFormatContext* input = avformat_alloc_context();
  if (!d->io || !input || !d->packet || !d->frame) {
    avformat_free_context(input);
    return false;
  }
  input->pb = d->io.get();
  // A failed open frees the context itself.
  if (avformat_open_input(&input, nullptr, av_find_input_format("asf"), nullptr) < 0) return false;
  d->input.reset(input);
  for (unsigned i = 0; i < input->nb_streams && d->stream < 0; ++i) {
    const AVCodecParameters* p = input->streams[i]->codecpar;
    if (p->codec_type == AVMEDIA_TYPE_AUDIO && isWma(p->codec_id)) d->stream = static_cast<int>(i);
  }
  if (d->stream < 0) return false;
  const AVCodecParameters* parameters = input->streams[d->stream]->codecpar;
  const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
  d->codec.reset(decoder ? avcodec_alloc_context3(decoder) : nullptr);
  if (!d->codec || avcodec_parameters_to_context(d->codec.get(), parameters) < 0) return false;
  // The decoder leaves out its first samples (the transform's start-up) at the start of the file,
  // and again after every flush. Left out here instead, only at the start, every packet gives
  // the same samples however it was reached, which is what seeking by packet relies on.
  d->codec->flags2 |= AV_CODEC_FLAG2_SKIP_MANUAL;
  if (avcodec_open2(d->codec.get(), decoder, nullptr) < 0) return false;
  const int channels = d->codec->ch_layout.nb_channels;
  const int rate = d->codec->sample_rate;
  if (channels < 1 || channels > 2 || rate <= 0) return false;
  AVChannelLayout layout;
  av_channel_layout_default(&layout, channels);
  SwrContext* resampler = nullptr;
  if (swr_alloc_set_opts2(&resampler, &layout, AV_SAMPLE_FMT_S16, rate, &layout, d->codec->sample_fmt, rate, 0,
                          nullptr) < 0)
    return false;
  d->resampler.reset(resampler);
  if (swr_init(resampler) < 0) return false;
  format_ = {rate, channels};
  decoding_ = std::move(d);
  position_ = -startSkip_;
  discard(startSkip_);
  return true;
}

bool WmaReader::scan() {
  packetStarts_.clear();
  while (decodeNext()) {
  }
  startSkip_ = std::clamp<int64_t>(decoding_->startSkip, 0, decoding_->frames);
  totalFrames_ = decoding_->frames - startSkip_;
  return true;
}

bool WmaReader::decodeNext() {
  if (!decoding_) return false;  // a restart failed
  Decoding& d = *decoding_;
  while (!d.ended) {
    const int received = avcodec_receive_frame(d.codec.get(), d.frame.get());
    if (received == 0) {
      const AVFrameSideData* skip = av_frame_get_side_data(d.frame.get(), AV_FRAME_DATA_SKIP_SAMPLES);
      if (skip && d.frames == 0 && skip->size >= 4)
        d.startSkip = skip->data[0] | skip->data[1] << 8 | skip->data[2] << 16 | int64_t{skip->data[3]} << 24;
      const int frames = d.frame->nb_samples;
      decoded_.resize(static_cast<size_t>(frames) * static_cast<size_t>(format_.channels));
      auto* out = reinterpret_cast<uint8_t*>(decoded_.data());
      const int got = swr_convert(d.resampler.get(), &out, frames, const_cast<const uint8_t**>(d.frame->extended_data),
                                  frames);
      av_frame_unref(d.frame.get());
      if (got < 0) break;
      decoded_.resize(static_cast<size_t>(got) * static_cast<size_t>(format_.channels));
      decodedUsed_ = 0;
      d.frames += got;
      return true;
    }
    if (received != AVERROR(EAGAIN) || d.draining) break;
    if (!nextPacket()) {
      d.draining = true;
      avcodec_send_packet(d.codec.get(), nullptr);
      continue;
    }
    if (packetsRead_ > packetStarts_.size()) packetStarts_.push_back(d.frames);
    // A damaged packet gives no samples, the same each time it is read; the next one decodes.
    avcodec_send_packet(d.codec.get(), d.packet.get());
    av_packet_unref(d.packet.get());
  }
  d.ended = true;
  return false;
}

bool WmaReader::nextPacket() {
  Decoding& d = *decoding_;
  while (av_read_frame(d.input.get(), d.packet.get()) >= 0) {
    if (d.packet->stream_index == d.stream) {
      ++packetsRead_;
      return true;
    }
    av_packet_unref(d.packet.get());
  }
  return false;
}

bool WmaReader::skipTo(size_t from, size_t holding) {
  if (!decoding_) return false;
  Decoding& d = *decoding_;
  while (packetsRead_ < from) {
    if (!nextPacket()) return false;
    av_packet_unref(d.packet.get());
  }
  // After a flush a decoder gives short or unsettled output for a while: the first frame's
  // overlap, the bit reservoir, the lossless codec's filters and the Pro decoder's skipped first
  // frame. The packets up to the one holding the frame are decoded and their sound thrown away;
  // from then on every packet gives what it gave in the scan, beginning where it began there.
  avcodec_flush_buffers(d.codec.get());
  while (packetsRead_ < holding) {
    if (!nextPacket()) return false;
    avcodec_send_packet(d.codec.get(), d.packet.get());
    av_packet_unref(d.packet.get());
    while (avcodec_receive_frame(d.codec.get(), d.frame.get()) == 0) av_frame_unref(d.frame.get());
  }
  d.frames = packetStarts_[holding];
  position_ = d.frames - startSkip_;
  decoded_.clear();
  decodedUsed_ = 0;
  return true;
}

void WmaReader::discard(int64_t frames) {
  const auto channels = static_cast<size_t>(format_.channels);
  while (frames > 0) {
    if (decodedUsed_ == decoded_.size() && !decodeNext()) return;
    const auto take = std::min<int64_t>(frames, static_cast<int64_t>((decoded_.size() - decodedUsed_) / channels));
    decodedUsed_ += static_cast<size_t>(take) * channels;
    position_ += take;
    frames -= take;
  }
}

int64_t WmaReader::seek(int64_t frame) {
  frame = std::clamp<int64_t>(frame, 0, totalFrames_);
  if (packetStarts_.empty()) return position_;
  const auto packetOf = [this](int64_t sample) {
    return static_cast<size_t>(std::upper_bound(packetStarts_.begin(), packetStarts_.end(), sample) -
                               packetStarts_.begin()) - 1;
  };
  // The packet holding the frame, and one far enough before it for the decoder to settle.
  const int64_t sample = frame + startSkip_;
  const size_t holding = packetOf(sample);
  const size_t from = std::min(packetOf(std::max<int64_t>(sample - kSettlingFrames, 0)),
                               holding > kSettlingPackets ? holding - kSettlingPackets : 0);
  if (frame < position_ && !restart()) return -1;
  if (from > packetsRead_ && !skipTo(from, holding)) return -1;
  discard(frame - position_);
  return position_;
}

size_t WmaReader::read(int16_t* out, size_t frames) {
  const auto channels = static_cast<size_t>(format_.channels);
  size_t done = 0;
  while (done < frames) {
    if (decodedUsed_ == decoded_.size() && !decodeNext()) break;
    const size_t take = std::min(frames - done, (decoded_.size() - decodedUsed_) / channels);
    std::copy_n(decoded_.begin() + static_cast<std::ptrdiff_t>(decodedUsed_), take * channels, out + done * channels);
    decodedUsed_ += take * channels;
    done += take;
  }
  position_ += static_cast<int64_t>(done);
  return done;
}

}  // namespace audiofile
