// The sound archive tool: the encoder, the words of the sound marks, and
// the program as a user runs it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdlib>

#include "article/article_markup.h"
#include "dictionary/file_io.h"
#include "sound/sound_archive.h"
#include "soundc/ogg_encoder.h"
#include "soundc/sound_words.h"
#include "soundc/spoken_archives.h"
#include "support/temp_dir.h"

namespace lexmora::tools {
namespace {

std::vector<std::int16_t> Tone(std::size_t n) {
  std::vector<std::int16_t> s(n);
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<std::int16_t>(8000 * std::sin(0.05 * static_cast<double>(i)));
  return s;
}

TEST(OggEncoderTest, MakesARepeatableVorbisStream) {
  const auto samples = Tone(22050);
  const std::string ogg = EncodeOggVorbis(samples, 22050);
  ASSERT_GT(ogg.size(), 200u);
  EXPECT_EQ(ogg.substr(0, 4), "OggS");
  EXPECT_NE(ogg.find("\x01vorbis"), std::string::npos);  // the identification header
  // The same sound gives the same bytes, so that builds repeat.
  EXPECT_EQ(EncodeOggVorbis(samples, 22050), ogg);
  // Compressed: well under the 44,100 bytes of the PCM.
  EXPECT_LT(ogg.size(), 20000u);
  EXPECT_TRUE(EncodeOggVorbis(samples, 0).empty());
}

SourceEntry Entry(std::string display, std::string article) { return {std::move(display), "", std::move(article)}; }

TEST(SoundWordsTest, EachMarkStandsForItsArticlesHeadword) {
  SourceSubDict sub;
  sub.entries.push_back(Entry("\xE7\xF6r\xE6k", "x" + MarkupTag(kMarkupSound, 0, 2)));  // "çörək" in code page 1254
  sub.entries.push_back(Entry("alma", MarkupTag(kMarkupSound, 0, 1) + "y" + MarkupTag(kMarkupSound, 1, 0)));
  sub.entries.push_back(Entry("ana", "no sound"));
  sub.entries.push_back(Entry("at", MarkupTag(kMarkupSound, 0, 1)));  // a number used twice: the first article keeps it
  const auto words = SoundWords(sub, 1254);
  ASSERT_EQ(words.size(), 3u);
  EXPECT_EQ(words.at(1), "alma");
  EXPECT_EQ(words.at(2), "çörək");
  EXPECT_EQ(words.at(256), "alma");
}

struct ProgramRun {
  int exitCode;
  std::string output;
};

ProgramRun RunTool(const test::TempDir& dir, const std::string& commandLine) {
  const std::string log = (dir.path() / "log.txt").string();
  const int status = std::system((commandLine + " >'" + log + "' 2>&1").c_str());
  auto text = ReadWholeFile(log);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text ? *text : std::string()};
}

TEST(SoundcProgramTest, PacksAudioFilesAsItemsInOrder) {
  test::TempDir dir;
  const auto a = dir.Write("a.ogg", "OggS first");
  const auto b = dir.Write("b.mp3", "ID3 second");
  const auto out = dir.path() / "DICT" / "t000.snd";
  std::filesystem::create_directories(out.parent_path());
  const ProgramRun run = RunTool(dir, std::string(LEXMORA_SOUNDC) + " --out '" + out.string() + "' '" + a.string() + "' '" +
                                      b.string() + "'");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(LoadSound(out, 1), "OggS first");
  EXPECT_EQ(LoadSound(out, 2), "ID3 second");
  EXPECT_EQ(LoadSound(out, 3), "");

  // A file that does not read: a message, and the old archive stays.
  const ProgramRun bad = RunTool(dir, std::string(LEXMORA_SOUNDC) + " --out '" + out.string() + "' '" +
                                      (dir.path() / "none.ogg").string() + "'");
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.output.find("cannot read"), std::string::npos) << bad.output;
  EXPECT_EQ(LoadSound(out, 2), "ID3 second");
  EXPECT_NE(RunTool(dir, LEXMORA_SOUNDC).exitCode, 0);
}

TEST(SoundcProgramTest, SpeaksTheMarksOfTheSourcesIntoArchives) {
  test::TempDir dir;
  dir.Write("groups.txt", "[group 2]\nbase = vcl_ae\ncodepage = 1254\nsources = a.src b.src\n");
  dir.Write("a.src", "subdict = 0\n@ alma\n{s1}alma {snd 2}\n@ ana\n{s1}ana\n");
  dir.Write("b.src", "subdict = 4\n@ ev\n{s1}ev\n");  // no marks: no archive
  const auto archives = BuildSpokenArchives(dir.path() / "groups.txt", dir.path() / "out");
  ASSERT_EQ(archives.size(), 1u);
  EXPECT_EQ(archives[0].file, dir.path() / "out" / "DICT" / "vcl_ae000.snd");
  EXPECT_EQ(archives[0].voice, "az");
  EXPECT_EQ(archives[0].items, 2u);
  EXPECT_EQ(archives[0].spoken, 1u);
  EXPECT_EQ(LoadSound(archives[0].file, 1), "");  // no mark uses number 1
  EXPECT_EQ(LoadSound(archives[0].file, 2).substr(0, 4), "OggS");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "out" / "DICT" / "vcl_ae004.snd"));
}

}  // namespace
}  // namespace lexmora::tools
