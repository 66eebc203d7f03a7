// sound through the command line.
#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "dictionary/file_io.h"
#include "sound/sound_archive.h"
#include "sound/wav_image.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

using test::RunCliArgs;

TEST(CliSound, WritesAnItemFromTheProgramFoldersArchive) {
  test::TempDir dir;
  test::WriteGroup(dir.path(), 1, {test::SubDict(0, {{"apple", "apple\r\nalma\r\n"}})});
  dir.Write("DICT/vcl_ea000.snd", SoundArchiveImage({"first sound", "second"}));
  const std::string d = dir.path().string();
  const std::string out = (dir.path() / "out.ogg").string();
  auto r = RunCliArgs({"--dir", d, "sound", "1", "0", "2", "--out", out, "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "{\"group\":1,\"subdict\":0,\"number\":2,\"bytes\":6}\n");
  EXPECT_EQ(*ReadWholeFile(out), "second");
  // Nothing for item 0, item 3, or a sub-dictionary without an archive; no file then.
  const std::string none = (dir.path() / "none.ogg").string();
  EXPECT_EQ(RunCliArgs({"--dir", d, "sound", "1", "0", "0", "--out", none}).code, 1);
  EXPECT_EQ(RunCliArgs({"--dir", d, "sound", "1", "0", "3", "--out", none}).code, 1);
  EXPECT_EQ(RunCliArgs({"--dir", d, "sound", "1", "4", "1", "--out", none}).code, 1);
  EXPECT_FALSE(std::filesystem::exists(none));
  EXPECT_EQ(RunCliArgs({"--dir", d, "sound", "2", "0", "1", "--out", none}).code, 2);  // no such group here
  EXPECT_EQ(RunCliArgs({"--dir", d, "sound", "1", "0", "1"}).code, 1);                 // no --out
}

TEST(CliSpeak, WritesTheHeadwordSpokenInTheGroupsLanguage) {
  test::TempDir dir;
  test::WriteGroup(dir.path(), 1, {test::SubDict(0, {{"apple", "apple\r\nalma\r\n"}, {"house", "house\r\nev\r\n"}})});
  test::WriteGroup(dir.path(), 2, {test::SubDict(0, {{"ev", "ev\r\nhouse\r\n"}})});
  const std::string d = dir.path().string();
  const std::string out = (dir.path() / "house.wav").string();
  auto r = RunCliArgs({"--dir", d, "speak", "1", "1", "--out", out, "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  const auto wav = ReadWholeFile(out);
  ASSERT_TRUE(wav);
  EXPECT_EQ(r.out, "{\"group\":1,\"row\":1,\"voice\":\"en\",\"bytes\":" + std::to_string(wav->size()) + "}\n");
  const WavInfo info = ReadWavInfo(*wav);
  EXPECT_EQ(info.channels, 1);
  ASSERT_GT(info.sampleRate, 0);
  EXPECT_GT(info.dataBytes, static_cast<std::uint32_t>(info.sampleRate / 2));  // over a quarter of a second
  r = RunCliArgs({"--dir", d, "speak", "2", "0", "--out", out, "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("\"voice\":\"az\""), std::string::npos) << r.out;

  EXPECT_EQ(RunCliArgs({"--dir", d, "speak", "1", "2", "--out", out}).code, 2);  // no such row
  EXPECT_EQ(RunCliArgs({"--dir", d, "speak", "3", "0", "--out", out}).code, 2);  // no such group
  EXPECT_EQ(RunCliArgs({"--dir", d, "speak", "1", "0"}).code, 1);                // no --out
}

}  // namespace
}  // namespace lexmora
