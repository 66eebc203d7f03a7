#include "lists/notepad_file.h"

#include <gtest/gtest.h>

#include "dictionary/byte_io.h"
#include "dictionary/file_io.h"
#include "io/faulty_file_system.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

using test::SubDict;

// Rows: apple/0, bank/0, bank/3, bear/0, cat/3.
class NotepadFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table = test::WriteGroup(dir.path(), 2,
                             {SubDict(0, {{"apple", "a\r\n"}, {"bank", "b\r\n"}, {"bear", "c\r\n"}}),
                              SubDict(3, {{"bank", "d\r\n"}, {"cat", "e\r\n"}})});
  }
  LoadedGroup Load(bool withThree = true) {
    SubDictSet set;
    set.Set(0, true);
    set.Set(3, withThree);
    return LoadGroup(dir.path(), table, 2, set);
  }
  test::TempDir dir;
  GroupTable table;
};

TEST_F(NotepadFileTest, ImageIsHeadThenSectionsInSubDictionaryOrder) {
  const LoadedGroup group = Load();
  const std::string image = NotepadFileImage(group, {0, 1, 7, 0, 2});
  ASSERT_EQ(image.size(), kListFileHeadSize + 3 + 2);
  EXPECT_EQ(image.substr(0, 14), std::string("\x0D") + "VORNKELDANTPD");
  EXPECT_EQ(image.substr(14, 2), std::string(2, '\0'));
  EXPECT_EQ(image[16], 2);
  const auto* lengths = reinterpret_cast<const std::uint8_t*>(image.data()) + 17;
  EXPECT_EQ(GetU32(lengths + 0), 3u);
  EXPECT_EQ(GetU32(lengths + 4 * 3), 2u);
  for (int n : {1, 2, 4, 255}) EXPECT_EQ(GetU32(lengths + 4 * n), 0u);
  // Section 0: apple, bank, bear; section 3: bank, cat.
  EXPECT_EQ(image.substr(kListFileHeadSize), std::string("\0\1\0\7\2", 5));
}

TEST_F(NotepadFileTest, SwitchedOffSubDictionaryIsWrittenFullLengthWithZeros) {
  const LoadedGroup group = Load(false);  // rows apple, bank, bear
  const std::string image = NotepadFileImage(group, {1, 1, 1});
  ASSERT_EQ(image.size(), kListFileHeadSize + 5);
  EXPECT_EQ(image.substr(kListFileHeadSize), std::string("\1\1\1\0\0", 5));
  // Switched on again, its words are unmarked.
  const LoadedGroup full = Load();
  NotepadARRAY marks(5, 0);
  ApplyNotepadFile(*ParseNotepadFile(image), full, marks);
  EXPECT_EQ(marks, (NotepadARRAY{1, 1, 0, 1, 0}));
}

TEST_F(NotepadFileTest, RoundTripKeepsStoredValues) {
  const LoadedGroup group = Load();
  const auto path = dir.path() / "NOTEPADS" / "mine.npl";  // the folder is made
  ASSERT_TRUE(SaveNotepadFile(group, {2, 0, 255, 1, 0}, path));
  auto file = ReadNotepadFile(path);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->group, 2);
  NotepadARRAY marks(5, 9);
  ApplyNotepadFile(*file, group, marks);
  EXPECT_EQ(marks, (NotepadARRAY{2, 0, 255, 1, 0}));
}

TEST_F(NotepadFileTest, ShortSectionMarksOnlyTheFirstWordsAndKeepsTheRest) {
  const LoadedGroup group = Load();
  std::string image = NotepadFileImage(group, {1, 1, 1, 1, 1});
  // Section 0 declared one word long: only apple's byte is in it.
  PutU32(reinterpret_cast<std::uint8_t*>(image.data()) + 17, 1);
  image.erase(kListFileHeadSize + 1, 2);
  NotepadARRAY marks{0, 5, 0, 0, 5};
  ApplyNotepadFile(*ParseNotepadFile(image), group, marks);
  EXPECT_EQ(marks, (NotepadARRAY{1, 5, 1, 0, 1}));
}

TEST_F(NotepadFileTest, SectionsCutByTheEndOfTheFileReadAsZeros) {
  const LoadedGroup group = Load();
  std::string image = NotepadFileImage(group, {1, 1, 1, 1, 1});
  image.resize(kListFileHeadSize + 2);  // apple and bank of section 0 only
  auto file = ParseNotepadFile(image);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->sections[0].size(), 2u);
  EXPECT_TRUE(file->sections[3].empty());
  NotepadARRAY marks(5, 7);
  ApplyNotepadFile(*file, group, marks);
  EXPECT_EQ(marks, (NotepadARRAY{1, 1, 0, 0, 0}));
}

TEST_F(NotepadFileTest, HugeLengthsCostOnlyWhatTheFileHolds) {
  std::string image(kListFileHeadSize + 10, '\1');
  for (int n = 0; n < 256; ++n) PutU32(reinterpret_cast<std::uint8_t*>(image.data()) + 17 + 4 * n, 0xFFFFFFFFu);
  auto file = ParseNotepadFile(image);
  ASSERT_TRUE(file);
  std::size_t held = 0;
  for (const auto& s : file->sections) held += s.size();
  EXPECT_EQ(held, 10u);
  EXPECT_EQ(file->sections[0].size(), 10u);
}

TEST_F(NotepadFileTest, MissingOrShortFileLoadsNothing) {
  EXPECT_FALSE(ReadNotepadFile(dir.path() / "none.npl"));
  EXPECT_FALSE(ParseNotepadFile(std::string(kListFileHeadSize - 1, '\0')));
  EXPECT_TRUE(ParseNotepadFile(std::string(kListFileHeadSize, '\0')));
}

TEST_F(NotepadFileTest, AFailedWriteKeepsTheOldList) {
  const LoadedGroup group = Load();
  const auto path = dir.path() / "NOTEPADS" / "vcl_ae.npl";
  ASSERT_TRUE(SaveNotepadFile(group, {1, 0, 0, 0, 1}, path));
  const std::string old = *ReadWholeFile(path);
  for (int round = 0; round < 3; ++round) {
    io::FaultyFileSystem faulty;
    if (round == 0) faulty.DiskFullAfter(100);
    if (round == 1) faulty.FailCall(io::Call::Write, 1, {}, EIO);
    if (round == 2) faulty.FailCall(io::Call::Rename, 1);
    io::ScopedFileSystem scope(faulty);
    EXPECT_FALSE(SaveNotepadFile(group, {0, 1, 1, 1, 0}, path)) << round;
    EXPECT_EQ(*ReadWholeFile(path), old) << round;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path.parent_path()), {}), 1) << round;
  }
}

}  // namespace
}  // namespace lexmora
