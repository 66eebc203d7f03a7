#include "import/dsl_reader.h"

#include <gtest/gtest.h>
#include <zip.h>
#include <zlib.h>

#include "article/article_renderer.h"
#include "article/article_text.h"
#include "import/dsl_headwords.h"
#include "support/temp_dir.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

using test::TempDir;

// Cyrillic text styles, so that the Russian words stay whole text items.
const ImportStyles kStyles = StylesForContent(5, "ru");

std::string Utf16Bytes(std::string_view utf8, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t c : Utf8ToUtf16(utf8)) {
    const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  }
  return out;
}

std::string GzipMember(std::string_view data) {
  z_stream zs{};
  deflateInit2(&zs, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&zs, data.size()), '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  zs.avail_in = static_cast<uInt>(data.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = static_cast<uInt>(out.size());
  deflate(&zs, Z_FINISH);
  out.resize(zs.total_out);
  deflateEnd(&zs);
  return out;
}

std::vector<std::string> Headwords(const ImportedDictionary& d) {
  std::vector<std::string> words;
  for (const ImportedEntry& e : d.entries) words.push_back(Utf16ToUtf8(e.headword));
  return words;
}

// The text items of an article with their styles and indents.
std::vector<ArticleTextItem> Items(const std::string& article) {
  RecordingArticleView view;
  ArticleRenderer().DrawRVText(article, view);
  std::vector<ArticleTextItem> items;
  for (const auto& item : view.items)
    if (!item.isSound) items.push_back(item.text);
  return items;
}

// The item of that text; blanks around it may join it in a run of one style.
const ArticleTextItem* Find(const std::vector<ArticleTextItem>& items, std::u16string_view text) {
  for (const ArticleTextItem& item : items) {
    std::u16string_view t = item.text;
    while (!t.empty() && t.front() == u' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == u' ') t.remove_suffix(1);
    if (t == text) return &item;
  }
  return nullptr;
}

constexpr std::string_view kSample =
    "#NAME \"Test \xC3\xA7 dictionary\"\n"
    "#INDEX_LANGUAGE \"English\"\n"
    "#CONTENTS_LANGUAGE \"Russian\"\n"
    "\n"
    "house {[i]n.[/i]}\n"
    "home\n"
    "\t[m1][p]n[/p] [t]haus[/t]{{ a comment }}\n"
    "\t[m2][trn]\xD0\xB4\xD0\xBE\xD0\xBC[/trn] [c red]red[/c] [c]green[/c] [b]bold[/b][/m]\n"
    "\t[ex]my ~[/ex]\n";

TEST(DslReader, CardsStylesAndIndents) {
  TempDir dir;
  const ImportedDictionary d = ReadDsl(dir.Write("x.dsl", kSample), kStyles);
  EXPECT_EQ(d.name, "Test \xC3\xA7 dictionary");
  EXPECT_EQ(d.fromLanguage, "en");
  EXPECT_EQ(d.toLanguage, "ru");
  // Two headword lines: one card found under both.
  ASSERT_EQ(Headwords(d), (std::vector<std::string>{"house", "home"}));
  EXPECT_EQ(d.entries[0].article, d.entries[1].article);
  EXPECT_EQ(ArticlePlainText(d.entries[0].article),
            "house n., home\n"
            "  n haus\n"
            "    \xD0\xB4\xD0\xBE\xD0\xBC red green bold\n"
            "  my house\n");

  const auto items = Items(d.entries[0].article);
  ASSERT_NE(Find(items, u"house n., home"), nullptr);
  EXPECT_EQ(Find(items, u"house n., home")->style, kStyles.headword);
  const std::pair<std::u16string_view, int> styled[] = {
      {u"n", kStyles.label},  {u"haus", kStyles.transcription}, {u"\u0434\u043E\u043C", kStyles.text},
      {u"red", kStyles.red},  {u"green", kStyles.green},              {u"bold", kStyles.bold},
      {u"my house", kStyles.example}};
  for (const auto& [text, style] : styled) {
    const ArticleTextItem* item = Find(items, text);
    ASSERT_NE(item, nullptr) << Utf16ToUtf8(text);
    EXPECT_EQ(item->style, style) << Utf16ToUtf8(text);
  }
  EXPECT_EQ(Find(items, u"\u0434\u043E\u043C")->layout, IndentLayout(2));
  EXPECT_EQ(Find(items, u"n")->layout, IndentLayout(1));
  EXPECT_EQ(Find(items, u"my house")->layout, IndentLayout(1));  // after [/m]
}

TEST(DslReader, HeadwordParts) {
  DslHeadword h = ParseDslHeadword(u"{to }colo(u)r {sth}", u"");
  EXPECT_EQ(h.shown, u"to colo(u)r sth");
  EXPECT_EQ(h.tilde, u"colo(u)r");
  EXPECT_EQ(h.forms, (std::vector<std::u16string>{u"colour", u"color"}));

  // Every combination, the nested part only with its outer one.
  h = ParseDslHeadword(u"(pre)turn(s (up))", u"");
  EXPECT_EQ(h.forms, (std::vector<std::u16string>{u"preturns up", u"preturns", u"preturn", u"turns up", u"turns",
                                                  u"turn"}));
  // Escapes, an unmatched parenthesis and a tilde are text.
  h = ParseDslHeadword(u"a\\(b\\) \\{c\\} :( ~", u"x");
  EXPECT_EQ(h.forms, (std::vector<std::u16string>{u"a(b) {c} :( x"}));
  EXPECT_TRUE(ParseDslHeadword(u"{only unsorted} [b][/b]", u"").forms.empty());

  // Many parts: capped, the forms with all parts and with none both kept.
  h = ParseDslHeadword(u"(a)(b)(c)(d)(e)(f)(g)z", u"");
  EXPECT_EQ(h.forms.size(), kMaxDslForms);
  EXPECT_EQ(h.forms.front(), u"abcdefgz");
  EXPECT_EQ(h.forms.back(), u"z");
}

TEST(DslReader, BodyMarkupSubentriesAndLeftOut) {
  TempDir dir;
  const std::string dsl =
      "\tbefore any card\n"
      "go\n"
      "\t[m1]\\[1\\] [']a[/'] [unknown]kept[/unknown] [/b]<<went>> ~\\~ {{x\n"
      "\tmulti-line}}[b]open\n"
      "\t[*]@ ~ out\n"
      "\tto leave\n"
      "\t@\n"
      "\tback[br]next\n"
      "{empty}\n"
      "\tbody\n"
      "nobody\n";
  const ImportedDictionary d = ReadDsl(dir.Write("x.dsl", dsl), kStyles);
  ASSERT_EQ(Headwords(d), (std::vector<std::string>{"go out", "go"}));
  EXPECT_EQ(ArticlePlainText(d.entries[0].article), "go out\n  to leave\n");
  EXPECT_EQ(ArticlePlainText(d.entries[1].article),
            "go\n  [1] a\xCC\x81 kept went go~ open\n  go out\n  back\n  next\n");
  const auto items = Items(d.entries[1].article);
  ASSERT_NE(Find(items, u"went"), nullptr);
  EXPECT_EQ(Find(items, u"went")->style, kStyles.link);
  EXPECT_EQ(Find(items, u"go out")->style, kStyles.link);
  EXPECT_EQ(Find(items, u"back")->style, kStyles.bold);  // [b] stays open over lines
  ASSERT_EQ(d.skipped.size(), 2u);
  EXPECT_EQ(d.skipped[0].headword, "{empty}");
  EXPECT_EQ(d.skipped[1].headword, "nobody");
}

TEST(DslReader, SoundsFromTheZipBeside) {
  TempDir dir;
  const std::string wav = std::string("RIFF\x24\0\0\0WAVEfmt ", 16) + std::string(28, '\x01');
  const std::string notSound = "ID3 not a wav";
  {
    int error = 0;
    zip_t* zip = zip_open((dir.path() / "x.dsl.files.zip").c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(zip, nullptr);
    zip_file_add(zip, "Hello.WAV", zip_source_buffer(zip, wav.data(), wav.size(), 0), 0);
    zip_file_add(zip, "fake.wav", zip_source_buffer(zip, notSound.data(), notSound.size(), 0), 0);
    zip_file_add(zip, "pic.jpg", zip_source_buffer(zip, notSound.data(), notSound.size(), 0), 0);
    ASSERT_EQ(zip_close(zip), 0);
  }
  const std::string dsl =
      "a\n\t[s]hello.wav[/s] [s]pic.jpg[/s][s]fake.wav[/s][s]gone.wav[/s]\n"
      "b\n\t[s] HELLO.wav [/s]\n";
  const ImportedDictionary d = ReadDsl(dir.Write("x.dsl.dz", GzipMember(dsl)), kStyles);
  ASSERT_EQ(d.sounds.size(), 1u);
  EXPECT_EQ(d.sounds[0], wav);
  ASSERT_EQ(d.entries.size(), 2u);
  for (const ImportedEntry& e : d.entries)
    EXPECT_NE(ArticlePlainText(e.article, true).find("[sound 1]"), std::string::npos);
}

TEST(DslReader, EncodingsAndGzipReadTheSame) {
  TempDir dir;
  const std::string le = Utf16Bytes(kSample, false);
  const ImportedDictionary plain = ReadDsl(dir.Write("a.dsl", kSample), kStyles);
  // Two gzip members one after another, as some tools write them.
  const std::size_t half = le.size() / 2 & ~std::size_t{1};
  const std::string files[][2] = {{"b.dsl", le},
                                  {"c.dsl", Utf16Bytes(kSample, true)},
                                  {"d.dsl", "\xEF\xBB\xBF" + std::string(kSample)},
                                  {"e.dsl.dz", GzipMember(le.substr(0, half)) + GzipMember(le.substr(half))}};
  for (const auto& [name, bytes] : files) {
    const std::filesystem::path path = dir.Write(name, bytes);
    const ImportedDictionary d = ReadDsl(path, kStyles);
    EXPECT_EQ(d.name, plain.name) << name;
    ASSERT_EQ(d.entries.size(), plain.entries.size()) << name;
    for (std::size_t i = 0; i < d.entries.size(); ++i) {
      EXPECT_EQ(d.entries[i].headword, plain.entries[i].headword) << name;
      EXPECT_EQ(d.entries[i].article, plain.entries[i].article) << name;
    }
    const DictionaryInfo info = ProbeDsl(path);
    EXPECT_EQ(info.name, plain.name) << name;
    EXPECT_EQ(info.toLanguage, "ru") << name;
  }
  // An 8-bit file in the code page its header names.
  const ImportedDictionary cyrillic =
      ReadDsl(dir.Write("f.dsl", "#SOURCE_CODE_PAGE \"Cyrillic\"\n\xE4\xEE\xEC\n\thouse\n"), kStyles);
  ASSERT_EQ(cyrillic.entries.size(), 1u);
  EXPECT_EQ(cyrillic.entries[0].headword, u"\u0434\u043E\u043C");
  // A stray bad byte leaves a UTF-8 file UTF-8.
  const ImportedDictionary stray = ReadDsl(dir.Write("g.dsl", "\xC3\xB6\xC3\xB6\xC3\xB6\n\tx\xFF\n"), kStyles);
  ASSERT_EQ(stray.entries.size(), 1u);
  EXPECT_EQ(stray.entries[0].headword, u"\u00F6\u00F6\u00F6");
}

TEST(DslReader, DamagedFilesNameThemselves) {
  TempDir dir;
  const std::string gz = GzipMember(std::string(kSample));
  const std::pair<std::string, std::string> damaged[] = {
      {"odd.dsl", Utf16Bytes(kSample, false) + "x"},
      {"cut.dsl.dz", gz.substr(0, gz.size() - 12)},
      {"bad.dsl.dz", gz.substr(0, 10) + std::string(gz.size() - 10, '\xFF')}};
  for (const auto& [name, bytes] : damaged) {
    try {
      ReadDsl(dir.Write(name, bytes), kStyles);
      ADD_FAILURE() << name << " was read";
    } catch (const ImportError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(name + ": ", 0), 0u) << e.what();
    }
  }
  dir.Write("x.dsl.files.zip", "not a zip");
  EXPECT_THROW(ReadDsl(dir.Write("x.dsl", "a\n\t[s]a.wav[/s]\n"), kStyles), ImportError);
}

}  // namespace
}  // namespace lexmora
