#include <gtest/gtest.h>

#include "dictionary/file_io.h"
#include "dictionary/loaded_group.h"
#include "support/temp_dir.h"
#include "text/azeri_letters.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

using test::TempDir;

TEST(GroupTable, BuiltInTableHasNineGroupsAndAnEmptyTenthSlot) {
  GroupTable t = BuiltInGroupTable();
  EXPECT_EQ(t.count, 10);
  EXPECT_EQ(t.Group(1).BaseName(), "vcl_ea");
  EXPECT_EQ(t.Group(1).CodePage(), 1250);
  EXPECT_TRUE(t.Group(1).Enabled().Contains(0));
  EXPECT_TRUE(t.Group(1).Enabled().Contains(1));
  EXPECT_FALSE(t.Group(1).Enabled().Contains(2));
  EXPECT_EQ(t.Group(2).CodePage(), 1254);
  EXPECT_EQ(t.Group(2).StyleRole(5), 10u);
  EXPECT_EQ(t.Group(2).KeyboardLayout(), "0000042c");
  EXPECT_EQ(t.Group(5).Locale(), 0x40Cu);
  EXPECT_EQ(t.Group(7).CodePage(), 1251);
  EXPECT_EQ(t.Group(9).StyleRole(2), 11u);
  EXPECT_EQ(t.Group(9).StyleRole(7), 12u);
  EXPECT_EQ(t.Group(9).Value194(), 3);
  EXPECT_EQ(t.Group(3).Value192(), 4);
  EXPECT_TRUE(t.Group(10).BaseName().empty());
  for (int g = 1; g <= 9; ++g) EXPECT_TRUE(t.Group(g).Bitmap().empty());
  // Names are stored in the letter code and read as Azeri Latin.
  EXPECT_EQ(ToUnicode(AzeriLetterCode(t.Group(2).Name()), 1254), u"Azərbaycan-İngilis lüğəti");
}

TEST(GroupTable, FieldOffsetsOfTheRecordImage) {
  DictGroupRecord r;
  r.SetBaseName("vcl_xx");
  SubDictSet s;
  s.Set(9, true);
  r.SetEnabled(s);
  r.SetCodePage(1254);
  r.SetBitmap("BMxyz");
  EXPECT_EQ(r.bytes[61], 6);
  EXPECT_EQ(r.bytes[62], 'v');
  EXPECT_EQ(r.bytes[123 + 1], 0x02);
  EXPECT_EQ(r.bytes[196], 0xE6);
  EXPECT_EQ(r.bytes[197], 0x04);
  EXPECT_EQ(r.bytes[216], 5);
  EXPECT_EQ(r.bytes[220], 'B');
  // A bitmap length beyond the field reads as the whole field.
  r.bytes[216] = 0xFF;
  r.bytes[217] = 0xFF;
  EXPECT_EQ(r.Bitmap().size(), 4000u);
}

TEST(GroupTable, FileRecordCountRules) {
  GroupTable builtIn = BuiltInGroupTable();
  std::string three = SerializeGroupTable(builtIn).substr(0, 3 * DictGroupRecord::kSize);
  GroupTable t = ParseGroupTable(three);
  EXPECT_EQ(t.count, 3);
  EXPECT_EQ(t.Group(3).BaseName(), "vcl_da");
  EXPECT_TRUE(t.Group(4).BaseName().empty());
  EXPECT_EQ(SerializeGroupTable(t), three);

  // Shorter than one record: the built-in table.
  EXPECT_EQ(ParseGroupTable(three.substr(0, 4219)).count, 10);
  EXPECT_EQ(ParseGroupTable("").count, 10);

  // More than ten records: the first ten.
  std::string twelve = SerializeGroupTable(builtIn) + three.substr(0, 2 * DictGroupRecord::kSize) + "tail";
  GroupTable many = ParseGroupTable(twelve);
  EXPECT_EQ(many.count, 10);
  EXPECT_EQ(SerializeGroupTable(many).size(), 10 * DictGroupRecord::kSize);
}

TEST(GroupTable, UninterpretedBytesSurviveARoundTrip) {
  std::string image(2 * DictGroupRecord::kSize, '\0');
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>(i * 31 + 7);
  EXPECT_EQ(SerializeGroupTable(ParseGroupTable(image)), image);
}

TEST(GroupTable, SaveReplacesTheFileWholeAndLoadFindsAvailableGroups) {
  TempDir dir;
  // A longer old file is replaced, not overwritten in place.
  dir.Write("groups.dgi", std::string(12 * DictGroupRecord::kSize, 'x'));
  GroupTable t = ParseGroupTable(SerializeGroupTable(BuiltInGroupTable()).substr(0, 3 * DictGroupRecord::kSize));
  ASSERT_TRUE(SaveGroupTable(dir.path(), t));
  EXPECT_EQ(*FileSize(dir.path() / "groups.dgi"), 3 * DictGroupRecord::kSize);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "groups.dgi.tmp"));

  dir.Write("DICT/vcl_ae.wif", "");
  dir.Write("DICT/VCL_DA_old.WIF", "");
  dir.Write("DICT/vcl_eaXwif", "");
  GroupTableState state = LoadGroupTable(dir.path());
  EXPECT_EQ(state.table.count, 3);
  EXPECT_EQ(state.available, (std::set<int>{2, 3}));
}

TEST(GroupTable, MissingFileKeepsTheBuiltInTable) {
  TempDir dir;
  GroupTableState state = LoadGroupTable(dir.path());
  EXPECT_EQ(state.table.count, 10);
  EXPECT_TRUE(state.available.empty());
}

}  // namespace
}  // namespace lexmora
