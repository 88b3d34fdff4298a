#include "outside/ZEVAudioFile/WmaEncoder.h"

#include <algorithm>

namespace audiofile {
namespace {

PcmFormat outputOf(const WmaProfile* profile, PcmFormat input) {
  return profile ? PcmFormat{profile->sampleRate, profile->channels} : input;
}

// ffmpeg's ASF muxer puts only whole audio frames into a packet and pads the rest, which at the
// default packet of 3200 bytes wasted up to 40 % of the file. A packet made for a whole number
// of frames (each with its payload header of 17 bytes, after a packet header of 12) wastes
// nothing; about as many frames as fill 3200 bytes keep the packets of the usual size.
int64_t packetBytesFor(int frameBytes) {
  constexpr int kPayloadHeader = 17, kPacketHeader = 12, kUsualPacket = 3200;
  const int frames = std::max(1, kUsualPacket / (frameBytes + kPayloadHeader));
  return frames * (frameBytes + kPayloadHeader) + kPacketHeader;
}

}  // namespace

WmaEncoder::WmaEncoder(const WmaProfile* profile, PcmFormat input, std::wstring path)
    : converter_(input, outputOf(profile, input)) {
  ffmpeg::quietLog();
  if (!profile || !openCodec(*profile)) {
    refuseSettings();
    return;
  }
  createFile(std::move(path));
  if (!failed() && !startFile()) fail();
}

WmaEncoder::~WmaEncoder() = default;

bool WmaEncoder::openCodec(const WmaProfile& profile) {
  const AVCodec* wmav2 = avcodec_find_encoder(AV_CODEC_ID_WMAV2);
  codec_.reset(wmav2 ? avcodec_alloc_context3(wmav2) : nullptr);
  frame_.reset(av_frame_alloc());
  packet_.reset(av_packet_alloc());
  if (!codec_ || !frame_ || !packet_) return false;
  codec_->sample_fmt = AV_SAMPLE_FMT_FLTP;
  codec_->sample_rate = profile.sampleRate;
  codec_->bit_rate = profile.bitrate * 1000LL;
  codec_->time_base = {1, profile.sampleRate};
  av_channel_layout_default(&codec_->ch_layout, profile.channels);
  if (avcodec_open2(codec_.get(), wmav2, nullptr) < 0) return false;
  frame_->format = codec_->sample_fmt;
  frame_->sample_rate = codec_->sample_rate;
  frame_->nb_samples = codec_->frame_size;
  if (av_channel_layout_copy(&frame_->ch_layout, &codec_->ch_layout) < 0 || av_frame_get_buffer(frame_.get(), 0) < 0)
    return false;
  // ffmpeg's decoder leaves out two frames at the start of a file, the delay it takes every
  // file to have; ffmpeg's encoder delays its sound by one. One frame of silence more at the
  // start makes the decoded file begin with the first sample written.
  waiting_.assign(static_cast<size_t>(profile.channels), std::vector<float>(static_cast<size_t>(codec_->frame_size)));
  return true;
}

bool WmaEncoder::startFile() {
  AVFormatContext* muxer = nullptr;
  if (avformat_alloc_output_context2(&muxer, nullptr, "asf", nullptr) < 0) return false;
  muxer_.reset(muxer);
  io_ = ffmpeg::makeIo(this, nullptr, writeIo, seekIo);
  stream_ = avformat_new_stream(muxer, nullptr);
  if (!io_ || !stream_ || avcodec_parameters_from_context(stream_->codecpar, codec_.get()) < 0) return false;
  muxer->pb = io_.get();
  stream_->time_base = codec_->time_base;
  AVDictionary* options = nullptr;
  if (av_dict_set_int(&options, "packet_size", packetBytesFor(codec_->block_align), 0) < 0) return false;
  const int written = avformat_write_header(muxer, &options);
  av_dict_free(&options);
  return written >= 0;
}

int WmaEncoder::writeIo(void* opaque, uint8_t* buffer, int size) {
  auto& self = *static_cast<WmaEncoder*>(opaque);
  const auto bytes = std::span<const unsigned char>(buffer, static_cast<size_t>(size));
  // The muxer goes back to complete the header once the audio is written.
  const size_t inside = static_cast<size_t>(std::clamp<int64_t>(self.size_ - self.position_, 0, size));
  if ((inside && !self.overwrite(self.position_, bytes.first(inside))) || !self.append(bytes.subspan(inside)))
    return AVERROR(EIO);
  self.position_ += size;
  self.size_ = std::max(self.size_, self.position_);
  return size;
}

int64_t WmaEncoder::seekIo(void* opaque, int64_t offset, int whence) {
  auto& self = *static_cast<WmaEncoder*>(opaque);
  const int64_t target = ffmpeg::seekTarget(self.position_, self.size_, offset, whence);
  if (target < 0) return AVERROR(EINVAL);
  if (!(whence & AVSEEK_SIZE)) self.position_ = target;
  return target;
}

bool WmaEncoder::encode(const AVFrame* frame) {
  if (avcodec_send_frame(codec_.get(), frame) < 0) return false;
  int got;
  while ((got = avcodec_receive_packet(codec_.get(), packet_.get())) == 0) {
    packet_->stream_index = stream_->index;
    av_packet_rescale_ts(packet_.get(), codec_->time_base, stream_->time_base);
    if (av_write_frame(muxer_.get(), packet_.get()) < 0) return false;
  }
  return got == AVERROR(EAGAIN) || got == AVERROR_EOF;
}

bool WmaEncoder::take(const PcmConverter::Planes& planes) {
  const auto frameSize = static_cast<size_t>(codec_->frame_size);
  for (size_t c = 0; c < waiting_.size(); ++c) waiting_[c].insert(waiting_[c].end(), planes[c].begin(), planes[c].end());
  size_t used = 0;
  for (; waiting_[0].size() - used >= frameSize; used += frameSize) {
    if (av_frame_make_writable(frame_.get()) < 0) return false;
    for (size_t c = 0; c < waiting_.size(); ++c)
      std::copy_n(waiting_[c].begin() + static_cast<std::ptrdiff_t>(used), frameSize,
                  reinterpret_cast<float*>(frame_->extended_data[c]));
    frame_->pts = nextPts_;
    nextPts_ += codec_->frame_size;
    if (!encode(frame_.get())) return false;
  }
  for (auto& channel : waiting_) channel.erase(channel.begin(), channel.begin() + static_cast<std::ptrdiff_t>(used));
  return true;
}

bool WmaEncoder::write(std::span<const int16_t> samples) {
  if (failed() || finished_) return false;
  converter_.push(samples, planes_);
  if (!take(planes_)) fail();
  return !failed();
}

bool WmaEncoder::finish() {
  if (finished_) return false;
  finished_ = true;
  if (!failed()) {
    converter_.finish(planes_);
    // The encoder takes whole frames only, and a frame's sound is complete only with the next
    // one (the overlap of the transform): the last part is completed with silence, and one
    // frame of silence more brings out the end of the sound.
    const size_t frameSize = static_cast<size_t>(codec_->frame_size);
    const size_t rest = waiting_[0].size() + planes_[0].size();
    const size_t silence = (frameSize - rest % frameSize) % frameSize + frameSize;
    for (auto& plane : planes_) plane.resize(plane.size() + silence, 0.0f);
    if (!take(planes_) || !encode(nullptr) || av_write_trailer(muxer_.get()) < 0) fail();
  }
  return completeFile();
}

}  // namespace audiofile
