#include "import/dictd_import.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "common/source_error.h"
#include "dictc/dict_compiler.h"
#include "dictionary/file_io.h"
#include "dictionary/loaded_group.h"
#include "import/dictd_article.h"
#include "import/dictd_index.h"
#include "import/gzip_file.h"
#include "import/imported_dictionary.h"
#include "support/bytes.h"
#include "support/temp_dir.h"

namespace lexmora::tools {
namespace {

using test::Bytes;

// Writes each part as a gzip member of its own, one after another, as
// dictzip and concatenated gzip files have them.
void WriteGzip(const std::filesystem::path& path, const std::vector<std::string>& members) {
  std::filesystem::remove(path);
  for (const std::string& m : members) {
    gzFile f = gzopen(path.string().c_str(), "ab");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(gzwrite(f, m.data(), static_cast<unsigned>(m.size())), static_cast<int>(m.size()));
    gzclose(f);
  }
}

// A dictd database: the entries' texts laid end to end, the index in the
// order given.
struct TinyDatabase {
  std::string text;
  std::string index;
  void Add(const std::string& headword, const std::string& article) {
    index += headword + "\t" + EncodeDictdNumber(text.size()) + "\t" + EncodeDictdNumber(article.size()) + "\n";
    text += article;
  }
};

TinyDatabase SampleDatabase() {
  TinyDatabase db;
  db.Add("00-database-short", "00-database-short\n     Tiny English-German\n");
  db.Add("00databaseurl", "http://example.org\n");
  db.Add("cat", "cat /kæt/ <n>\nKatze {feline}\n   Note: pet\n\n@home\n\n");
  db.Add("über", "über\nover\n");
  db.Add("dog", "dog [dɒɡ]\nHund\n");
  return db;
}

TEST(DictdIndex, NumbersUseTheDictdBase64Digits) {
  EXPECT_EQ(DecodeDictdNumber("A"), 0u);
  EXPECT_EQ(DecodeDictdNumber("B"), 1u);
  EXPECT_EQ(DecodeDictdNumber("/"), 63u);
  EXPECT_EQ(DecodeDictdNumber("BA"), 64u);
  EXPECT_EQ(DecodeDictdNumber("DD"), 3u * 64 + 3);
  EXPECT_EQ(DecodeDictdNumber("FVrr"), ((5u * 64 + 21) * 64 + 43) * 64 + 43);
  EXPECT_FALSE(DecodeDictdNumber(""));
  EXPECT_FALSE(DecodeDictdNumber("A=B"));
  EXPECT_FALSE(DecodeDictdNumber("AAAAAAAAAAA"));
  for (std::uint64_t v : {0ull, 1ull, 63ull, 64ull, 4095ull, 123456789ull}) EXPECT_EQ(DecodeDictdNumber(EncodeDictdNumber(v)), v);
}

TEST(DictdIndex, LinesAndFaults) {
  auto entries = ParseDictdIndex("a b\tB\tC\n\n\tA\tB\r\n", "x.index");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].headword, "a b");
  EXPECT_EQ(entries[0].offset, 1u);
  EXPECT_EQ(entries[0].length, 2u);
  EXPECT_EQ(entries[1].line, 3u);
  EXPECT_TRUE(IsDictdMetadata(entries[1].headword));
  EXPECT_TRUE(IsDictdMetadata("00-database-info"));
  EXPECT_TRUE(IsDictdMetadata("00databaseutf8"));
  EXPECT_FALSE(IsDictdMetadata("00s"));
  try {
    ParseDictdIndex("a\tB\tC\nb\tB\n", "x.index");
    ADD_FAILURE();
  } catch (const ImportError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("x.index:2:", 0), 0u) << e.what();
  }
  try {
    ParseDictdIndex("a\tB\tC\nb\tB\tC\nc\tB!\tC\n", "x.index");
    ADD_FAILURE();
  } catch (const ImportError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("x.index:3:", 0), 0u) << e.what();
  }
}

TEST(DictdData, ConcatenatedGzipMembersAreReadWhole) {
  lexmora::test::TempDir dir;
  WriteGzip(dir.path() / "a.dict.dz", {"first part, ", "second part"});
  EXPECT_EQ(ReadDictdData(dir.path() / "a.dict.dz"), "first part, second part");
  dir.Write("b.dict", "plain text");
  EXPECT_EQ(ReadDictdData(dir.path() / "b.dict"), "plain text");
  // A cut-off member is an error, not a silently short text.
  std::string gz = *ReadWholeFile(dir.path() / "a.dict.dz");
  EXPECT_THROW(InflateMaybeGzipped(gz.substr(0, gz.size() - 6), "a.dict.dz"), ImportError);
}

TEST(DictdArticle, HeadLineWithPronunciationAndIndentedParagraphs) {
  const DictdStyles styles{5, 6, 0};
  auto lines = DictdEntryToMarkup("cat /kæt/ <n>\nKatze {feline}\n   Note: pet\n\nback\n@home\n\n", "cat", styles);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "{s 5}cat {s 6}/kæt/{s 5} <n>");
  EXPECT_EQ(lines[1], "{s 0}Katze {{feline}}");
  EXPECT_EQ(lines[2], "{in 1}Note: pet");
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4], "{in 0}back");
  EXPECT_EQ(lines[5], "{u 0040}home");
  EXPECT_EQ(DictdEntryToMarkup("and/or [x]\n", "", styles)[0], "{s 5}and/or {s 6}[x]");
  EXPECT_EQ(DictdEntryToMarkup("\n\n", "word", styles), std::vector<std::string>{"{s 5}word"});
}

ImportOptions OptionsFor(const lexmora::test::TempDir& dir, const TinyDatabase& db) {
  dir.Write("tiny.index", db.index);
  const std::size_t half = db.text.size() / 2;
  WriteGzip(dir.path() / "tiny.dict.dz", {db.text.substr(0, half), db.text.substr(half)});
  ImportOptions o;
  o.index = dir.path() / "tiny.index";
  o.dict = dir.path() / "tiny.dict.dz";
  o.group = 1;
  return o;
}

int FindEntry(const LoadedGroup& g, std::string_view display) {
  for (int i = 0; i < g.EntryCount(); ++i)
    if (g.entries[static_cast<std::size_t>(i)].Display() == display) return i;
  return -1;
}

TEST(DictdImport, ATinyDatabaseLoadsBackFromTheProgramFolder) {
  lexmora::test::TempDir dir;
  ImportOptions o = OptionsFor(dir, SampleDatabase());
  o.outDir = dir.path() / "program";
  o.subDict = 3;
  ImportReport r = ImportDictd(o);
  EXPECT_EQ(r.indexLines, 5u);
  EXPECT_EQ(r.entries, 3u);
  EXPECT_EQ(r.metadataSkipped, 2u);

  GroupTableState state = LoadGroupTable(o.outDir);
  ASSERT_EQ(state.table.count, 10);  // no table there before: the built-in one
  EXPECT_TRUE(state.available.count(1));
  const DictGroupRecord& g1 = state.table.Group(1);
  EXPECT_TRUE(g1.Enabled().Contains(3));
  EXPECT_TRUE(g1.Enabled().Contains(0));
  LoadedGroup g = LoadGroup(o.outDir, state.table, 1, g1.Enabled());
  ASSERT_EQ(g.EntryCount(), 3);
  EXPECT_EQ(g.entries[0].Display(), "cat");
  EXPECT_EQ(g.entries[1].Display(), "dog");
  EXPECT_EQ(g.entries[2].Display(), "\xFC" "ber");  // code page 1250
  EXPECT_EQ(g.entries[2].SortKey(), "\xDC" "BER");
  ASSERT_EQ(g.headers.size(), 1u);
  EXPECT_EQ(g.headers[0].Number(), 3);
  EXPECT_EQ(SubDictDisplayName(g.headers[0].Name(), 1), u"Tiny English-German");

  // Head line in style 5 (1252), the transcription in style 6 (phonetic
  // code: æ is 0x51), the text in style 0.
  EXPECT_EQ(ReadArticleText(g, 0), Bytes({1, 1, 5, 0xFF}) + "cat " + Bytes({1, 1, 6, 0xFF}) + "/k" + Bytes({0x51}) +
                                       "t/" + Bytes({1, 1, 5, 0xFF}) + " <n>\r\n" + Bytes({1, 1, 0, 0xFF}) +
                                       "Katze {feline}\r\n" + Bytes({1, 2, 1, 0xFF}) + "Note: pet\r\n\r\n" +
                                       Bytes({1, 2, 0, 0xFF}) + "@home");
  // ɒ is not in the phonetic code; ɡ (U+0261) neither.
  EXPECT_EQ(ReadArticleText(g, 1), Bytes({1, 1, 5, 0xFF}) + "dog " + Bytes({1, 1, 6, 0xFF}) + "[d" +
                                       Bytes({1, 4, 0x52, 0x02, 1, 4, 0x61, 0x02}) + "]\r\n" + Bytes({1, 1, 0, 0xFF}) + "Hund");
}

TEST(DictdImport, OtherSubDictionariesOfTheGroupAreKept) {
  lexmora::test::TempDir dir;
  ImportOptions o = OptionsFor(dir, SampleDatabase());
  o.outDir = dir.path() / "program";
  o.subDict = 0;
  ImportDictd(o);
  TinyDatabase second;
  second.Add("bird", "bird\nVogel\n");
  o = OptionsFor(dir, second);
  o.outDir = dir.path() / "program";
  o.subDict = 1;
  o.names[1] = "Birds";
  ImportReport r = ImportDictd(o);
  EXPECT_EQ(r.otherEntries, 3u);
  GroupTableState state = LoadGroupTable(o.outDir);
  LoadedGroup g = LoadGroup(o.outDir, state.table, 1, state.table.Group(1).Enabled());
  ASSERT_EQ(g.EntryCount(), 4);
  EXPECT_EQ(g.entries[0].Display(), "bird");
  EXPECT_EQ(g.entries[0].SubDict(), 1);
  EXPECT_EQ(ReadArticleText(g, FindEntry(g, "dog")).substr(0, 8), Bytes({1, 1, 5, 0xFF}) + "dog ");
  EXPECT_EQ(SubDictDisplayName(g.headers[1].Name(), 0), u"Birds");
}

TEST(DictdImport, SourceFileCompilesToTheSameArticles) {
  lexmora::test::TempDir dir;
  ImportOptions o = OptionsFor(dir, SampleDatabase());
  o.outDir = dir.path() / "direct";
  o.srcFile = dir.path() / "tiny.src";
  o.names[0] = "Kiçik";
  ImportDictd(o);
  dir.Write("groups.txt", "[group 1]\nsources = tiny.src\n");
  CompileDictionaries(dir.path() / "groups.txt", dir.path() / "compiled");
  GroupTableState a = LoadGroupTable(dir.path() / "direct");
  GroupTableState b = LoadGroupTable(dir.path() / "compiled");
  LoadedGroup ga = LoadGroup(dir.path() / "direct", a.table, 1, a.table.Group(1).Enabled());
  LoadedGroup gb = LoadGroup(dir.path() / "compiled", b.table, 1, b.table.Group(1).Enabled());
  ASSERT_EQ(ga.EntryCount(), 3);
  ASSERT_EQ(gb.EntryCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(ga.entries[static_cast<std::size_t>(i)].Display(), gb.entries[static_cast<std::size_t>(i)].Display());
    EXPECT_EQ(ReadArticleText(ga, i), ReadArticleText(gb, i));
  }
  EXPECT_EQ(ga.headers[0].Name(), gb.headers[0].Name());
}

TEST(DictdImport, HeadwordsTheGroupCodePageLacksGetQuestionMarks) {
  lexmora::test::TempDir dir;
  TinyDatabase db;
  db.Add("  кот ", "кот\ncat\n");
  ImportOptions o = OptionsFor(dir, db);
  o.outDir = dir.path() / "program";
  o.group = 3;  // code page 1252
  ImportDictd(o);
  GroupTableState state = LoadGroupTable(o.outDir);
  LoadedGroup g = LoadGroup(o.outDir, state.table, 3, state.table.Group(3).Enabled());
  ASSERT_EQ(g.EntryCount(), 1);
  EXPECT_EQ(g.entries[0].Display(), "???");
}

TEST(DictdImport, EntriesOutsideTheTextAreCountedNotImported) {
  lexmora::test::TempDir dir;
  TinyDatabase db;
  db.Add("a", "alpha\n");
  db.index += "b\tBA\tB\n";
  ImportOptions o = OptionsFor(dir, db);
  o.outDir = dir.path() / "program";
  ImportReport r = ImportDictd(o);
  EXPECT_EQ(r.entries, 1u);
  EXPECT_EQ(r.badEntries, 1u);
}

}  // namespace
}  // namespace lexmora::tools
