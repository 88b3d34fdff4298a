// The cross-built third-party libraries link into a Windows program and work under Wine:
// audio survives an encode/decode round trip through each codec, tags and pictures too.
#include <windows.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <lame/lame.h>
#include <mpg123.h>
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>

namespace {

constexpr int kRate = 44100;

std::vector<short> StereoTone(int frames) {
  std::vector<short> pcm(static_cast<size_t>(frames) * 2);
  for (int i = 0; i < frames; ++i) {
    double t = static_cast<double>(i) / kRate;
    pcm[2 * i] = static_cast<short>(8000 * std::sin(2 * std::numbers::pi * 440 * t));
    pcm[2 * i + 1] = static_cast<short>(8000 * std::sin(2 * std::numbers::pi * 660 * t));
  }
  return pcm;
}

// Best normalised correlation of the left channel over a small range of codec delays.
double BestCorrelation(const std::vector<short>& a, const std::vector<short>& b) {
  double best = 0;
  for (size_t lag = 0; lag < 4000; ++lag) {
    double ab = 0, aa = 0, bb = 0;
    for (size_t i = 0; i + lag < b.size() / 2 && i < a.size() / 2; i += 3) {
      double x = a[2 * i], y = b[2 * (i + lag)];
      ab += x * y; aa += x * x; bb += y * y;
    }
    if (aa > 0 && bb > 0) best = std::max(best, ab / std::sqrt(aa * bb));
  }
  return best;
}

std::string TempPath(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

std::vector<unsigned char> EncodeMp3(const std::vector<short>& pcm) {
  lame_global_flags* lame = lame_init();
  lame_set_in_samplerate(lame, kRate);
  lame_set_num_channels(lame, 2);
  lame_set_brate(lame, 128);
  EXPECT_GE(lame_init_params(lame), 0);
  int frames = static_cast<int>(pcm.size() / 2);
  std::vector<unsigned char> out(static_cast<size_t>(1.25 * frames + 7200 + 7200));
  int n = lame_encode_buffer_interleaved(lame, const_cast<short*>(pcm.data()), frames,
                                         out.data(), static_cast<int>(out.size()));
  EXPECT_GE(n, 0);
  n += lame_encode_flush(lame, out.data() + n, static_cast<int>(out.size()) - n);
  lame_close(lame);
  out.resize(n);
  return out;
}

std::vector<short> DecodeMp3(const std::vector<unsigned char>& mp3) {
  mpg123_handle* h = mpg123_new(nullptr, nullptr);
  mpg123_open_feed(h);
  std::vector<short> pcm;
  unsigned char buf[16384];
  size_t done = 0;
  int rc = mpg123_decode(h, mp3.data(), mp3.size(), buf, sizeof buf, &done);
  while (true) {
    pcm.insert(pcm.end(), reinterpret_cast<short*>(buf), reinterpret_cast<short*>(buf + done));
    if (rc == MPG123_ERR || rc == MPG123_NEED_MORE) break;
    rc = mpg123_decode(h, nullptr, 0, buf, sizeof buf, &done);
  }
  mpg123_delete(h);
  return pcm;
}

}  // namespace

TEST(CodecLibraries, Mp3RoundTripThroughLameAndMpg123) {
  ASSERT_EQ(mpg123_init(), MPG123_OK);
  auto pcm = StereoTone(kRate * 2);
  auto mp3 = EncodeMp3(pcm);
  ASSERT_GT(mp3.size(), 20000u);  // about 2 s at 128 kbit/s
  auto decoded = DecodeMp3(mp3);
  // The decoder also returns the encoder's delay and the padding of the last frame.
  EXPECT_NEAR(static_cast<double>(decoded.size()), static_cast<double>(pcm.size()), 4 * 2304.0);
  EXPECT_GT(BestCorrelation(pcm, decoded), 0.98);
}

TEST(CodecLibraries, OggVorbisRoundTripThroughVorbisencAndVorbisfile) {
  auto pcm = StereoTone(kRate * 2);
  std::string path = TempPath("foundation_roundtrip.ogg");
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);

  vorbis_info vi;
  vorbis_info_init(&vi);
  ASSERT_EQ(vorbis_encode_init_vbr(&vi, 2, kRate, 0.4f), 0);
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 1);
  ogg_packet header, comments, codebooks;
  vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comments);
  ogg_stream_packetin(&os, &codebooks);
  ogg_page page;
  auto writePages = [&](bool flush) {
    while (flush ? ogg_stream_flush(&os, &page) : ogg_stream_pageout(&os, &page)) {
      std::fwrite(page.header, 1, page.header_len, f);
      std::fwrite(page.body, 1, page.body_len, f);
    }
  };
  writePages(true);
  auto encodeBlocks = [&] {
    ogg_packet packet;
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      while (vorbis_bitrate_flushpacket(&vd, &packet)) ogg_stream_packetin(&os, &packet);
      writePages(false);
    }
  };
  const int frames = static_cast<int>(pcm.size() / 2);
  for (int start = 0; start < frames; start += 4096) {
    int n = std::min(4096, frames - start);
    float** in = vorbis_analysis_buffer(&vd, n);
    for (int i = 0; i < n; ++i) {
      in[0][i] = pcm[2 * (start + i)] / 32768.f;
      in[1][i] = pcm[2 * (start + i) + 1] / 32768.f;
    }
    vorbis_analysis_wrote(&vd, n);
    encodeBlocks();
  }
  vorbis_analysis_wrote(&vd, 0);
  encodeBlocks();
  writePages(true);
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  std::fclose(f);

  OggVorbis_File vf;
  ASSERT_EQ(ov_fopen(path.c_str(), &vf), 0);
  EXPECT_EQ(ov_pcm_total(&vf, -1), frames);
  std::vector<short> decoded;
  char buf[8192];
  int section = 0;
  long got;
  while ((got = ov_read(&vf, buf, sizeof buf, 0, 2, 1, &section)) > 0)
    decoded.insert(decoded.end(), reinterpret_cast<short*>(buf), reinterpret_cast<short*>(buf + got));
  ov_clear(&vf);
  std::remove(path.c_str());
  EXPECT_EQ(decoded.size(), pcm.size());
  EXPECT_GT(BestCorrelation(pcm, decoded), 0.98);
}

TEST(CodecLibraries, TaglibWritesAndReadsBackAnId3Title) {
  std::string path = TempPath("foundation_tags.mp3");
  auto mp3 = EncodeMp3(StereoTone(kRate / 2));
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(mp3.data(), 1, mp3.size(), f);
  std::fclose(f);
  {
    TagLib::FileRef file(path.c_str());
    ASSERT_FALSE(file.isNull());
    file.tag()->setTitle("Foundation");
    file.tag()->setYear(1999);
    ASSERT_TRUE(file.save());
  }
  TagLib::FileRef file(path.c_str());
  ASSERT_FALSE(file.isNull());
  EXPECT_EQ(file.tag()->title().to8Bit(), "Foundation");
  EXPECT_EQ(file.tag()->year(), 1999u);
  std::remove(path.c_str());
}

TEST(CodecLibraries, JpegRoundTripKeepsAGradient) {
  constexpr int w = 32, h = 16;
  std::vector<unsigned char> rgb(w * h * 3);
  for (int i = 0; i < w * h; ++i) {
    rgb[3 * i] = static_cast<unsigned char>((i % w) * 8);
    rgb[3 * i + 1] = 128;
    rgb[3 * i + 2] = static_cast<unsigned char>((i / w) * 16);
  }
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* mem = nullptr;
  unsigned long memSize = 0;
  jpeg_mem_dest(&c, &mem, &memSize);
  c.image_width = w;
  c.image_height = h;
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 95, TRUE);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = &rgb[c.next_scanline * w * 3];
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);

  jpeg_decompress_struct d{};
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, mem, memSize);
  ASSERT_EQ(jpeg_read_header(&d, TRUE), JPEG_HEADER_OK);
  jpeg_start_decompress(&d);
  ASSERT_EQ(d.output_width, static_cast<unsigned>(w));
  std::vector<unsigned char> back(w * h * 3);
  while (d.output_scanline < d.output_height) {
    JSAMPROW row = &back[d.output_scanline * w * 3];
    jpeg_read_scanlines(&d, &row, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  free(mem);
  int worst = 0;
  for (size_t i = 0; i < rgb.size(); ++i) worst = std::max(worst, std::abs(rgb[i] - back[i]));
  EXPECT_LT(worst, 24);
}
