#include "soundc/ogg_encoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstring>

namespace lexmora::tools {

namespace {

// The encoder's state, cleared in reverse order of set-up.
struct VorbisStream {
  vorbis_info info;
  vorbis_comment comment;
  vorbis_dsp_state dsp;
  vorbis_block block;
  ogg_stream_state ogg;
  bool infoReady = false, dspReady = false;

  VorbisStream() {
    vorbis_info_init(&info);
    vorbis_comment_init(&comment);
  }
  ~VorbisStream() {
    if (dspReady) {
      ogg_stream_clear(&ogg);
      vorbis_block_clear(&block);
      vorbis_dsp_clear(&dsp);
    }
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
  }
};

void Append(std::string& out, const ogg_page& page) {
  out.append(reinterpret_cast<const char*>(page.header), static_cast<std::size_t>(page.header_len));
  out.append(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
}

// Moves every packet the analysis has ready into pages.
void Drain(VorbisStream& s, std::string& out) {
  ogg_packet packet;
  ogg_page page;
  while (vorbis_analysis_blockout(&s.dsp, &s.block) == 1) {
    vorbis_analysis(&s.block, nullptr);
    vorbis_bitrate_addblock(&s.block);
    while (vorbis_bitrate_flushpacket(&s.dsp, &packet)) {
      ogg_stream_packetin(&s.ogg, &packet);
      while (ogg_stream_pageout(&s.ogg, &page)) Append(out, page);
    }
  }
}

}  // namespace

std::string EncodeOggVorbis(std::span<const std::int16_t> samples, int sampleRate, float quality) {
  VorbisStream s;
  if (sampleRate <= 0 || vorbis_encode_init_vbr(&s.info, 1, sampleRate, quality) != 0) return {};
  vorbis_comment_add_tag(&s.comment, "ENCODER", "lexmora-soundc");
  vorbis_analysis_init(&s.dsp, &s.info);
  vorbis_block_init(&s.dsp, &s.block);
  ogg_stream_init(&s.ogg, 1);  // one stream per file: a fixed serial number keeps builds repeatable
  s.dspReady = true;

  std::string out;
  ogg_packet header, comments, codebooks;
  vorbis_analysis_headerout(&s.dsp, &s.comment, &header, &comments, &codebooks);
  ogg_stream_packetin(&s.ogg, &header);
  ogg_stream_packetin(&s.ogg, &comments);
  ogg_stream_packetin(&s.ogg, &codebooks);
  ogg_page page;
  while (ogg_stream_flush(&s.ogg, &page)) Append(out, page);  // audio starts on a page of its own

  constexpr std::size_t kBlock = 4096;
  for (std::size_t at = 0; at < samples.size(); at += kBlock) {
    const std::size_t n = std::min(kBlock, samples.size() - at);
    float** buffer = vorbis_analysis_buffer(&s.dsp, static_cast<int>(n));
    for (std::size_t i = 0; i < n; ++i) buffer[0][i] = static_cast<float>(samples[at + i]) / 32768.0f;
    vorbis_analysis_wrote(&s.dsp, static_cast<int>(n));
    Drain(s, out);
  }
  vorbis_analysis_wrote(&s.dsp, 0);  // end of stream
  Drain(s, out);
  while (ogg_stream_flush(&s.ogg, &page)) Append(out, page);
  return out;
}

}  // namespace lexmora::tools
