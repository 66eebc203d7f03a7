#include "dictc/dict_compiler.h"

#include <gtest/gtest.h>

#include "common/source_error.h"
#include "dictc/glyph_image.h"
#include "dictionary/language_names.h"
#include "dictc/source_parser.h"
#include "dictionary/loaded_group.h"
#include "dictionary/sub_vocl_header.h"
#include "text/azeri_letters.h"
#include "text/code_page.h"
#include "support/bytes.h"
#include "support/temp_dir.h"

namespace lexmora::tools {
namespace {

using test::Bytes;

// A small glyph of w x h pixels.
std::string Glyph(int w, int h) {
  std::string text = "size " + std::to_string(w) + " " + std::to_string(h) + "\n. #102030\npixels\n";
  for (int y = 0; y < h; ++y) text += std::string(static_cast<std::size_t>(w), '.') + "\n";
  return text;
}

constexpr std::string_view kGroups =
    "# two groups\n"
    "[group 1]\n"
    "name     = İngilis-Azərbaycan lüğəti   # comment\n"
    "base     = t_ea\n"
    "enabled  = 0 1\n"
    "codepage = 1250\n"
    "layout   = 00000409\n"
    "locale   = 0x409\n"
    "roles    = 0 1 2 3 4 5 6 7 8\n"
    "values   = 0 1\n"
    "bitmap   = glyphs/group.glyph\n"
    "sources  = ea/general.src ea/phrases.src\n"
    "\n"
    "[group 2]\n"
    "base     = t_ae\n"
    "codepage = 1254\n"
    "sources  = ae/words.src\n";

constexpr std::string_view kGeneral =
    "subdict = 0\n"
    "name.az = Ümumi lüğət\n"
    "name.en = General dictionary\n"
    "name.ru = Общий словарь\n"
    "button  = ../glyphs/button.glyph\n"
    "list    = ../glyphs/list.glyph\n"
    "style   = 0\n"
    "\n"
    "@ book 1\n"
    "{s5}book{s0} {s6}[bʊk]{s0} {snd 3}\n"
    "{in 1}{s4}n.{s0} {s2}{game}kitab{/game}\n"
    "# not a comment here\n"
    "\n"
    "\n"
    "@ apple\n"
    "{s2}alma\n";

constexpr std::string_view kPhrases =
    "subdict = 1\n"
    "name.en = Phrases\n"
    "style = 2\n"
    "@ book 1\n"
    "kitab\n";

constexpr std::string_view kAzeri =
    "subdict = 0\n"
    "name.az = Sözlər\n"
    "@ şəhər\n"
    "{s5}city\n"
    "@ ana\n"
    "mother\n";

void WriteSampleSources(const lexmora::test::TempDir& dir) {
  dir.Write("groups.txt", kGroups);
  dir.Write("glyphs/group.glyph", Glyph(8, 8));
  dir.Write("glyphs/button.glyph", Glyph(16, 16));
  dir.Write("glyphs/list.glyph", Glyph(9, 9));
  dir.Write("ea/general.src", kGeneral);
  dir.Write("ea/phrases.src", kPhrases);
  dir.Write("ae/words.src", kAzeri);
}

int FindEntry(const LoadedGroup& g, std::string_view display, int subDict) {
  for (int i = 0; i < g.EntryCount(); ++i)
    if (g.entries[static_cast<std::size_t>(i)].Display() == display && g.entries[static_cast<std::size_t>(i)].SubDict() == subDict) return i;
  return -1;
}

TEST(LanguageNames, RoundTripThroughTheDisplayName) {
  auto multi = MakeMultiLanguageName({"Ümumi lüğət İş", "General", "Общий", "Allgemein", "Général"});
  ASSERT_TRUE(multi);
  EXPECT_EQ(SubDictDisplayName(*multi, 0), Utf8ToUtf16("Ümumi lüğət İş"));
  EXPECT_EQ(SubDictDisplayName(*multi, 1), u"General");
  EXPECT_EQ(SubDictDisplayName(*multi, 2), u"Общий");
  EXPECT_EQ(SubDictDisplayName(*multi, 3), u"Allgemein");
  EXPECT_EQ(SubDictDisplayName(*multi, 4), Utf8ToUtf16("Général"));
  // The Azeri part is stored in the letter code: 'Ü' is 0xD6, 'm' 0xEC.
  EXPECT_EQ(SelectLanguageText(*multi, 0).text.substr(0, 2), Bytes({0xD6, 0xEC}));
}

TEST(LanguageNames, MissingPartsFallBackToTheFirstPart) {
  auto multi = MakeMultiLanguageName({"", "Phrases", "", "", ""});
  ASSERT_TRUE(multi);
  EXPECT_EQ(*multi, Bytes({0, 2}) + "Phrases");
  EXPECT_EQ(SubDictDisplayName(*multi, 2), u"Phrases");
}

TEST(LanguageNames, CharactersWithoutAStoredFormAreRefused) {
  int bad = -1;
  EXPECT_FALSE(MakeMultiLanguageName({"", "", "Ω", "", ""}, &bad));
  EXPECT_EQ(bad, 2);
  EXPECT_FALSE(EncodeNamePart(kNameAz, "é"));  // 1254 has é, the letter code has not
  EXPECT_FALSE(EncodeNamePart(kNameEn, "ж"));
}

TEST(DictCompiler, CompiledGroupsLoadBackWithTheirArticles) {
  lexmora::test::TempDir src, out;
  WriteSampleSources(src);
  auto report = CompileDictionaries(src.path() / "groups.txt", out.path());
  ASSERT_EQ(report.size(), 2u);
  EXPECT_EQ(report[0].entries, 3u);
  EXPECT_EQ(report[1].entries, 2u);

  GroupTableState state = LoadGroupTable(out.path());
  ASSERT_EQ(state.table.count, 2);  // groups not given are not written
  EXPECT_EQ(state.available, (std::set<int>{1, 2}));
  const DictGroupRecord& g1 = state.table.Group(1);
  EXPECT_EQ(ToUnicode(AzeriLetterCode(g1.Name()), 1254), Utf8ToUtf16("İngilis-Azərbaycan lüğəti"));
  EXPECT_EQ(g1.BaseName(), "t_ea");
  EXPECT_EQ(g1.CodePage(), 1250);
  EXPECT_EQ(g1.KeyboardLayout(), "00000409");
  EXPECT_EQ(g1.Locale(), 0x409u);
  EXPECT_EQ(g1.Value192(), 0);
  EXPECT_EQ(g1.Value194(), 1);
  EXPECT_EQ(g1.Bitmap(), LoadGlyphImage(src.path() / "glyphs/group.glyph"));
  EXPECT_TRUE(g1.Enabled().Contains(1));
  EXPECT_FALSE(g1.Loaded());
  // Keys a section leaves out keep the built-in group's values.
  EXPECT_EQ(state.table.Group(2).KeyboardLayout(), "0000042c");
  EXPECT_EQ(state.table.Group(2).StyleRole(5), 10u);

  LoadedGroup g = LoadGroup(out.path(), state.table, 1, g1.Enabled());
  ASSERT_EQ(g.EntryCount(), 3);
  EXPECT_EQ(g.entries[0].Display(), "apple");  // sorted by key
  EXPECT_EQ(g.entries[0].SortKey(), "APPLE");
  ASSERT_EQ(g.headers.size(), 2u);
  EXPECT_EQ(g.headers[0].EntryCount(), 2u);
  EXPECT_EQ(SubDictDisplayName(g.headers[0].Name(), 2), u"Общий словарь");
  EXPECT_EQ(g.headers[0].ButtonGlyph(), LoadGlyphImage(src.path() / "glyphs/button.glyph"));
  EXPECT_EQ(g.headers[0].ListGlyph().size(), 54u + 9u * 28u);

  int book = FindEntry(g, "book 1", 0);
  ASSERT_GE(book, 0);
  std::string expected = Bytes({1, 1, 5, 0xFF}) + "book" + Bytes({1, 1, 0, 0xFF, ' ', 1, 1, 6, 0xFF}) + "[b" +
                         Bytes({1, 4, 0x8A, 0x02}) + "k]" + Bytes({1, 1, 0, 0xFF, ' ', 1, 9, 0, 3, 0x0D, 0x0A}) +
                         Bytes({1, 2, 1, 0xFF, 1, 1, 4, 0xFF}) + "n." + Bytes({1, 1, 0, 0xFF, ' ', 1, 1, 2, 0xFF, 1, 5, 1, 0xFF}) +
                         "kitab" + Bytes({1, 6, 1, 0xFF, 0x0D, 0x0A}) + "# not a comment here";
  EXPECT_EQ(ReadArticleText(g, book), expected);
  int phrase = FindEntry(g, "book 1", 1);
  ASSERT_GE(phrase, 0);
  EXPECT_EQ(ReadArticleText(g, phrase), Bytes({1, 1, 2, 0xFF}) + "kitab");

  LoadedGroup az = LoadGroup(out.path(), state.table, 2, state.table.Group(2).Enabled());
  ASSERT_EQ(az.EntryCount(), 2);
  EXPECT_EQ(az.entries[1].Display(), Bytes({0xFE, 0xE6, 'h', 0xE6, 'r'}));
  EXPECT_EQ(az.entries[1].SortKey(), Bytes({0xDE, 0xC6, 'H', 0xC6, 'R'}));
  // The sub-dictionary's default style is the group's role 0 style here.
  EXPECT_EQ(ReadArticleText(az, 0), Bytes({1, 1, 0, 0xFF}) + "mother");
}

TEST(DictCompiler, LongHeadwordsAreCutToTheirFields) {
  lexmora::test::TempDir src, out;
  src.Write("groups.txt", "[group 1]\nsources = a.src\n");
  const std::string longWord(40, 'w');
  src.Write("a.src", "subdict = 0\n@ " + longWord + "\nx\n");
  auto report = CompileDictionaries(src.path() / "groups.txt", out.path());
  EXPECT_EQ(report[0].truncatedHeadwords, 1u);
  GroupTableState state = LoadGroupTable(out.path());
  LoadedGroup g = LoadGroup(out.path(), state.table, 1, state.table.Group(1).Enabled());
  ASSERT_EQ(g.EntryCount(), 1);
  EXPECT_EQ(g.entries[0].Display(), std::string(30, 'w'));
  EXPECT_EQ(g.entries[0].SortKey(), std::string(32, 'W'));
}

struct FaultCase {
  std::string groups;
  std::string source;
  std::string file;
  std::size_t line;
  std::string fragment;
};

TEST(DictCompiler, FaultsNameFileAndLine) {
  const std::string okGroups = "[group 1]\nbase = x\ncodepage = 1252\nsources = a.src\n";
  const FaultCase cases[] = {
      {okGroups, "subdict = 0\n@ a\nfine\n{bold}\n", "a.src", 4, "unknown tag {bold}"},
      {okGroups, "subdict = 0\n@ ж\ntext\n", "a.src", 2, "code page 1252 lacks"},
      {okGroups, "subdict = 0\nbutton = big.glyph\n@ a\n", "a.src", 2, "at most 4000"},
      {okGroups, "subdict = 0\nlist = mid.glyph\n@ a\n", "a.src", 2, "at most 3000"},
      {okGroups, "subdict = 0\ncolour = red\n", "a.src", 2, "unknown key"},
      {okGroups, "name.en = x\n@ a\n", "a.src", 0, "subdict"},
      {okGroups, "subdict = 0\nname.ru = Ǆ\n", "a.src", 2, "lacks"},
      {okGroups, "subdict = 0\n@ \nx\n", "a.src", 2, "empty headword"},
      {"[group 1]\nbase = x\ncodepage = 1253\n", "", "groups.txt", 3, "codepage"},
      {"[group 2]\nbase = x\n[group 1]\n", "", "groups.txt", 3, "ascending"},
      {"base = x\n", "", "groups.txt", 1, "before the first"},
      {"[group 11]\n", "", "groups.txt", 1, "1..10"},
      {"[group 1]\nbase = x\nroles = 0 1 2\n", "", "groups.txt", 3, "nine"},
      {"[group 1]\nbase = x\nbitmap = big.glyph\n", "", "groups.txt", 3, "at most 4000"},
      {"[group 1]\nbase = x\nsources = none.src\n", "", "groups.txt", 3, "does not exist"},
      {"[group 10]\ncodepage = 1252\n", "", "groups.txt", 1, "no base"},
  };
  for (const FaultCase& c : cases) {
    lexmora::test::TempDir src, out;
    src.Write("groups.txt", c.groups);
    src.Write("a.src", c.source);
    src.Write("big.glyph", Glyph(40, 40));  // 54 + 40 * 120 bytes
    src.Write("mid.glyph", Glyph(31, 31));  // 54 + 31 * 96 bytes
    try {
      CompileDictionaries(src.path() / "groups.txt", out.path());
      ADD_FAILURE() << "no error for " << c.fragment;
    } catch (const SourceError& e) {
      EXPECT_EQ(std::filesystem::path(e.file()).filename(), c.file) << e.what();
      EXPECT_EQ(e.line(), c.line) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.fragment), std::string::npos) << e.what();
    }
    EXPECT_FALSE(std::filesystem::exists(out.path() / "groups.dgi")) << c.fragment;
  }
}

TEST(DictCompiler, DuplicateSubDictionaryNumberNamesBothPlaces) {
  lexmora::test::TempDir src, out;
  src.Write("groups.txt", "[group 1]\nsources = a.src b.src\n");
  src.Write("a.src", "subdict = 4\n@ a\nx\n");
  src.Write("b.src", "# second\nsubdict = 4\n@ b\nx\n");
  try {
    CompileDictionaries(src.path() / "groups.txt", out.path());
    ADD_FAILURE() << "duplicate accepted";
  } catch (const SourceError& e) {
    EXPECT_EQ(std::filesystem::path(e.file()).filename(), "b.src");
    EXPECT_EQ(e.line(), 2u);
    EXPECT_NE(std::string(e.what()).find("a.src:1"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace lexmora::tools
