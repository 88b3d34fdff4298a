#include "outside/ZEVAudioFile/OggEncoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <random>

namespace audiofile {
namespace {

long bitsPerSecond(int kbps) { return kbps > 0 ? kbps * 1000L : -1; }

// A nominal bitrate alone asks for an average, not for limits: it is coded by quality, without
// libvorbis's bitrate management. Management codes every block at many qualities to choose
// from afterwards, which takes about four times as long; it is kept for requests that set a
// minimum or a maximum. The quality is the one libvorbis's tables give 10/7 of the nominal
// bitrate: coded by quality, the music measured here (the simulated drive's tune, and an album
// through libvorbis's own encoder) comes out at about 7/10 of the tables' bitrates, so the file
// lands near the nominal one. Where the tables reach no such quality, the nominal bitrate
// itself chooses it. The header announces the nominal bitrate asked for.
bool setUpNominalOnly(vorbis_info* info, const OggFormat& f) {
  const long nominal = bitsPerSecond(f.nominalBitrate);
  for (const long tableBitrate : {nominal * 10 / 7, nominal}) {
    vorbis_info_clear(info);
    vorbis_info_init(info);
    if (vorbis_encode_setup_managed(info, f.channels, f.sampleRate, -1, tableBitrate, -1) == 0 &&
        vorbis_encode_ctl(info, OV_ECTL_RATEMANAGE2_SET, nullptr) == 0 && vorbis_encode_setup_init(info) == 0) {
      info->bitrate_nominal = nominal;
      return true;
    }
  }
  return false;
}

bool setUp(vorbis_info* info, const OggFormat& f) {
  if (f.channels < 1 || f.channels > 2 || f.sampleRate <= 0) return false;
  if (f.codesByQuality()) return vorbis_encode_init_vbr(info, f.channels, f.sampleRate, f.quality / 10.0f) == 0;
  if (f.nominalBitrate > 0 && f.minBitrate <= 0 && f.maxBitrate <= 0) return setUpNominalOnly(info, f);
  return vorbis_encode_init(info, f.channels, f.sampleRate, bitsPerSecond(f.maxBitrate),
                            bitsPerSecond(f.nominalBitrate), bitsPerSecond(f.minBitrate)) == 0;
}

}  // namespace

struct OggEncoder::Vorbis {
  vorbis_info info;
  vorbis_comment comment;
  vorbis_dsp_state dsp;
  vorbis_block block;
  ogg_stream_state stream;
  bool streaming = false;  // dsp, block and stream are initialised

  Vorbis() {
    vorbis_info_init(&info);
    vorbis_comment_init(&comment);
  }
  ~Vorbis() {
    if (streaming) {
      ogg_stream_clear(&stream);
      vorbis_block_clear(&block);
      vorbis_dsp_clear(&dsp);
    }
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
  }
  Vorbis(const Vorbis&) = delete;
  Vorbis& operator=(const Vorbis&) = delete;
};

bool isOggFormatAvailable(const OggFormat& format) {
  vorbis_info info;
  vorbis_info_init(&info);
  const bool ok = setUp(&info, format);
  vorbis_info_clear(&info);
  return ok;
}

OggEncoder::OggEncoder(const OggFormat& format, PcmFormat input, std::wstring path)
    : vorbis_(std::make_unique<Vorbis>()),
      converter_(input, PcmFormat{format.sampleRate, format.channels}) {
  if (!setUp(&vorbis_->info, format)) {
    refuseSettings();
    return;
  }
  createFile(std::move(path));
  if (failed()) return;
  Vorbis& v = *vorbis_;
  vorbis_analysis_init(&v.dsp, &v.info);
  vorbis_block_init(&v.dsp, &v.block);
  // A serial number that differs between files, so that files can be chained.
  ogg_stream_init(&v.stream, static_cast<int>(std::random_device{}() & 0x7FFFFFFF));
  v.streaming = true;
  ogg_packet header, comments, codebooks;
  vorbis_analysis_headerout(&v.dsp, &v.comment, &header, &comments, &codebooks);
  ogg_stream_packetin(&v.stream, &header);
  ogg_stream_packetin(&v.stream, &comments);
  ogg_stream_packetin(&v.stream, &codebooks);
  // The audio starts on a page of its own.
  writePages(true);
}

OggEncoder::~OggEncoder() = default;

bool OggEncoder::writePages(bool flush) {
  ogg_page page;
  while (flush ? ogg_stream_flush(&vorbis_->stream, &page) : ogg_stream_pageout(&vorbis_->stream, &page)) {
    if (!append({page.header, static_cast<size_t>(page.header_len)}) ||
        !append({page.body, static_cast<size_t>(page.body_len)}))
      return false;
  }
  return true;
}

bool OggEncoder::submit(const PcmConverter::Planes& planes) {
  // A few blocks at a time: libvorbis moves everything it holds for each block it takes out,
  // and pre-extrapolates the first buffer it is given on the stack, so a large write handed
  // over whole costs time by the square of its length and can overflow the stack.
  constexpr size_t kPieceFrames = 4096;
  const size_t frames = planes[0].size();
  for (size_t from = 0; from < frames; from += kPieceFrames) {
    const size_t piece = std::min(kPieceFrames, frames - from);
    float** buffer = vorbis_analysis_buffer(&vorbis_->dsp, static_cast<int>(piece));
    for (size_t c = 0; c < planes.size(); ++c)
      std::copy_n(planes[c].begin() + static_cast<std::ptrdiff_t>(from), piece, buffer[c]);
    vorbis_analysis_wrote(&vorbis_->dsp, static_cast<int>(piece));
    if (!drain()) return false;
  }
  return true;
}

bool OggEncoder::drain() {
  Vorbis& v = *vorbis_;
  while (vorbis_analysis_blockout(&v.dsp, &v.block) == 1) {
    vorbis_analysis(&v.block, nullptr);
    vorbis_bitrate_addblock(&v.block);
    ogg_packet packet;
    while (vorbis_bitrate_flushpacket(&v.dsp, &packet)) ogg_stream_packetin(&v.stream, &packet);
    if (!writePages(false)) return false;
  }
  return true;
}

bool OggEncoder::write(std::span<const int16_t> samples) {
  if (failed() || finished_) return false;
  converter_.push(samples, planes_);
  return submit(planes_);
}

bool OggEncoder::finish() {
  if (finished_) return false;
  finished_ = true;
  if (!failed()) {
    converter_.finish(planes_);
    if (submit(planes_)) {
      vorbis_analysis_wrote(&vorbis_->dsp, 0);  // the end of the stream
      if (drain()) writePages(true);
    }
  }
  return completeFile();
}

}  // namespace audiofile
