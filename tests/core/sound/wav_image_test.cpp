#include "sound/wav_image.h"

#include <gtest/gtest.h>

#include <vector>

#include "dictionary/dict_group_record.h"
#include "sound/headword_voice.h"

namespace lexmora {
namespace {

TEST(WavImageTest, MonoPcmRoundTripsThroughTheReader) {
  const std::vector<std::int16_t> samples = {0, 1000, -1000, 32767, -32768};
  const std::string image = WavImage(samples, 22050);
  ASSERT_EQ(image.size(), 44u + 10u);
  EXPECT_EQ(image.substr(0, 4), "RIFF");
  const WavInfo info = ReadWavInfo(image);
  EXPECT_EQ(info.channels, 1);
  EXPECT_EQ(info.sampleRate, 22050);
  EXPECT_EQ(info.bitsPerSample, 16);
  EXPECT_EQ(info.dataBytes, 10u);
  // Little-endian samples right after the head: -32768 is 00 80.
  EXPECT_EQ(static_cast<unsigned char>(image[52]), 0x00);
  EXPECT_EQ(static_cast<unsigned char>(image[53]), 0x80);
}

TEST(WavImageTest, DamagedImagesReadAsNoSound) {
  const std::string good = WavImage(std::vector<std::int16_t>(100, 7), 8000);
  EXPECT_EQ(ReadWavInfo("").dataBytes, 0u);
  EXPECT_EQ(ReadWavInfo("RIFF....WAVX").channels, 0);
  // Cut inside the format chunk: no format, so no data either.
  EXPECT_EQ(ReadWavInfo(good.substr(0, 30)).sampleRate, 0);
  // A data chunk cut short counts only the bytes that are there.
  EXPECT_EQ(ReadWavInfo(good.substr(0, 44 + 50)).dataBytes, 50u);
  // A chunk size near 4 GB ends the walk instead of wrapping around.
  std::string huge = good;
  huge[16] = huge[17] = huge[18] = huge[19] = '\xFF';
  EXPECT_EQ(ReadWavInfo(huge).dataBytes, 0u);
}

DictGroupRecord GroupWith(std::string_view base, int codePage) {
  DictGroupRecord record{};
  record.SetBaseName(base);
  record.SetCodePage(codePage);
  return record;
}

TEST(HeadwordVoiceTest, TheFirstLanguageLetterOfTheBaseNameGivesTheVoice) {
  EXPECT_EQ(HeadwordVoice(GroupWith("vcl_ea", 1250)), "en");
  EXPECT_EQ(HeadwordVoice(GroupWith("vcl_ae", 1254)), "az");
  EXPECT_EQ(HeadwordVoice(GroupWith("vcl_da", 1252)), "de");
  EXPECT_EQ(HeadwordVoice(GroupWith("vcl_fa", 1252)), "fr");
  EXPECT_EQ(HeadwordVoice(GroupWith("vcl_ra", 1251)), "ru");
  EXPECT_EQ(HeadwordVoice(GroupWith("VCL_AR", 1254)), "az");
}

TEST(HeadwordVoiceTest, OtherBaseNamesFallBackOnTheCodePage) {
  EXPECT_EQ(HeadwordVoice(GroupWith("freedict", 1251)), "ru");
  EXPECT_EQ(HeadwordVoice(GroupWith("freedict", 1254)), "az");
  EXPECT_EQ(HeadwordVoice(GroupWith("freedict", 1252)), "en");
  // Letters that name no language, or more than two of them.
  EXPECT_EQ(HeadwordVoice(GroupWith("vcl_xa", 1251)), "ru");
  EXPECT_EQ(HeadwordVoice(GroupWith("vcl_eax", 1254)), "az");
  EXPECT_EQ(HeadwordVoice(GroupWith("vcl_e", 1250)), "en");
}

}  // namespace
}  // namespace lexmora
