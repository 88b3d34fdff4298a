#include "outside/ZEVAudioFile/Mp3Encoder.h"

#include "outside/ZEVAudioFile/MpegAudio.h"

#include <lame/lame.h>

#include <algorithm>

namespace audiofile {
namespace {

MPEG_mode modeOf(const LameMp3Settings& s) {
  if (s.channels == 1) return MONO;
  switch (s.typeStereo) {
    case kJointStereo:
    case kForcedJointStereo: return JOINT_STEREO;
    case kDualChannel: return DUAL_CHANNEL;
    default: return STEREO;
  }
}

// LAME 3.100 has one "new" variable-rate method; the old one is still there on its own.
vbr_mode vbrModeOf(int16_t method) {
  switch (method) {
    case kVbrDefault:
    case kVbrNew:
    case kVbrMtrh: return vbr_mtrh;
    case kVbrOld: return vbr_rh;
    case kVbrAbr: return vbr_abr;
    default: return vbr_off;
  }
}

int filterFrequency(int32_t hz) { return hz < 0 ? -1 : hz; }

}  // namespace

bool isMp3FormatAvailable(int sampleRate, int bitrate, int channels) {
  const auto bitrates = mp3Bitrates(sampleRate);
  return (channels == 1 || channels == 2) &&
         std::find(bitrates.begin(), bitrates.end(), bitrate) != bitrates.end();
}

Mp3Encoder::Mp3Encoder(const LameMp3Settings& settings, PcmFormat input, std::wstring path)
    : input_(input), lame_(lame_init()) {
  if (lame_ && configure(settings))
    createFile(std::move(path));
  else
    refuseSettings();
}

Mp3Encoder::~Mp3Encoder() {
  if (lame_) lame_close(lame_);
}

bool Mp3Encoder::configure(const LameMp3Settings& s) {
  if (!isMp3SampleRate(s.frequency) || input_.channels < 1 || input_.channels > 2) return false;
  lame_t l = lame_;
  lame_set_in_samplerate(l, input_.sampleRate);
  lame_set_num_channels(l, input_.channels);
  lame_set_out_samplerate(l, s.frequency);
  // Tags are the tag component's business; the file starts with audio (or the VBR header).
  lame_set_write_id3tag_automatic(l, 0);

  lame_set_mode(l, modeOf(s));
  if (s.channels != 1 && s.typeStereo == kForcedJointStereo) lame_set_force_ms(l, 1);
  lame_set_quality(l, std::clamp<int>(s.encoderQuality, 0, 9));

  const vbr_mode vbr = vbrModeOf(s.vbrCodingMethod);
  lame_set_VBR(l, vbr);
  if (vbr == vbr_off) {
    if (s.bitrate <= 0) return false;
    lame_set_brate(l, s.bitrate);
  } else {
    if (vbr == vbr_abr) {
      if (s.abrBitrate <= 0) return false;
      lame_set_VBR_mean_bitrate_kbps(l, s.abrBitrate);
    }
    lame_set_VBR_q(l, std::clamp<int>(s.vbrQuality, 0, 9));
    if (s.bitrate > 0) lame_set_VBR_min_bitrate_kbps(l, s.bitrate);
    if (s.vbrBitrate > 0) lame_set_VBR_max_bitrate_kbps(l, s.vbrBitrate);
    lame_set_VBR_hard_min(l, s.strictlyEnforceMinBitrate ? 1 : 0);
  }
  lame_set_bWriteVbrTag(l, s.writingVbrHeader ? 1 : 0);
  lame_set_disable_reservoir(l, s.bitReservoir ? 0 : 1);
  // The flag only ever allows more than LAME's default. (LAME 3.100 keeps the block types of
  // stereo and joint-stereo frames coupled whatever it says.)
  if (s.blockTypeControl) lame_set_allow_diff_short(l, 1);
  lame_set_no_short_blocks(l, s.shortBlocks ? 0 : 1);
  lame_set_emphasis(l, s.emphasis);
  // Off is LAME's own default, which is laxer than what setting 0 would ask for.
  if (s.strictIsoCompliance) lame_set_strict_ISO(l, 1);
  lame_set_error_protection(l, s.errorProtection ? 1 : 0);
  switch (s.athControlMode) {
    case kAthOn: lame_set_noATH(l, 0); break;
    case kAthOff: lame_set_noATH(l, 1); break;
    case kAthShortBlocksOnly: lame_set_ATHshort(l, 1); break;
    default: break;
  }
  lame_set_lowpassfreq(l, filterFrequency(s.lowPassFrequency));
  lame_set_highpassfreq(l, filterFrequency(s.highPassFrequency));
  if (s.lowPassWidth > 0) lame_set_lowpasswidth(l, s.lowPassWidth);
  if (s.highPassWidth > 0) lame_set_highpasswidth(l, s.highPassWidth);
  return lame_init_params(l) >= 0;
}

bool Mp3Encoder::appendEncoded(int bytes) {
  if (bytes < 0) fail();
  return append({buffer_.data(), static_cast<size_t>(std::max(bytes, 0))});
}

bool Mp3Encoder::write(std::span<const int16_t> samples) {
  if (failed() || finished_) return false;
  const int frames = static_cast<int>(samples.size() / static_cast<size_t>(input_.channels));
  if (frames == 0) return true;
  // LAME's own bound on the output of one call.
  buffer_.resize(std::max(buffer_.size(), static_cast<size_t>(frames) * 5 / 4 + 7200));
  auto* pcm = const_cast<short*>(samples.data());  // LAME reads the input only
  const int capacity = static_cast<int>(buffer_.size());
  const int n = input_.channels == 2
                    ? lame_encode_buffer_interleaved(lame_, pcm, frames, buffer_.data(), capacity)
                    : lame_encode_buffer(lame_, pcm, pcm, frames, buffer_.data(), capacity);
  return appendEncoded(n);
}

bool Mp3Encoder::finish() {
  if (finished_) return false;
  finished_ = true;
  if (!failed()) {
    buffer_.resize(std::max<size_t>(buffer_.size(), 7200));
    appendEncoded(lame_encode_flush(lame_, buffer_.data(), static_cast<int>(buffer_.size())));
  }
  // LAME kept the first frame free for the VBR (or "Info") header; it is known only now.
  if (!failed() && lame_get_bWriteVbrTag(lame_)) {
    const size_t n = lame_get_lametag_frame(lame_, buffer_.data(), buffer_.size());
    if (n > buffer_.size()) fail();
    overwrite(0, {buffer_.data(), n});
  }
  return completeFile();
}

}  // namespace audiofile
