#include "import/xdxf_reader.h"

#include <gtest/gtest.h>

#include "article/article_renderer.h"
#include "article/article_text.h"
#include "import/xdxf_article.h"
#include "support/article_style_of.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

const ImportStyles kStyles;

using test::StyleOf;

std::vector<std::u16string> Headwords(const ImportedDictionary& d) {
  std::vector<std::u16string> out;
  for (const ImportedEntry& e : d.entries) out.push_back(e.headword);
  return out;
}

TEST(XdxfReaderTest, VisualFormKeepsItsLinesAndMarksItsParts) {
  test::TempDir dir;
  const auto file = dir.Write("en-az.xdxf", R"(<?xml version="1.0" encoding="UTF-8"?>
<xdxf lang_from="ENG" lang_to="AZE" format="visual">
<full_name>English  Azeri</full_name>
<description>A <b>test</b></description>
<ar><k>record</k>
[<tr>re'kord</tr>] <abr>n.</abr>
1) <c c="red">qeyd</c>, <co>note</co> <ex>a <i>good</i> record</ex><br/>2) <u>yazmaq</u>
<blockquote>see   <kref>disk</kref></blockquote>
<c>end</c>
</ar>
<ar><k><opt>to </opt>go</k>
<k>went</k> getmek</ar>
<ar><k> <b> </b></k>lost</ar>
</xdxf>)");
  const ImportedDictionary d = ReadXdxf(file, kStyles);
  EXPECT_EQ(d.name, "English Azeri");
  EXPECT_EQ(d.fromLanguage, "en");
  EXPECT_EQ(d.toLanguage, "az");
  // An optional part gives the headword with and without it; the head line
  // shows every <k> whole.
  EXPECT_EQ(Headwords(d), (std::vector<std::u16string>{u"record", u"to go", u"go", u"went"}));
  ASSERT_EQ(d.skipped.size(), 1u);
  EXPECT_EQ(d.skipped[0].why, "article 3: no headword");

  const std::string& record = d.entries[0].article;
  EXPECT_EQ(ArticlePlainText(record),
            "record\n"
            "  [re'kord] n.\n"
            "  1) qeyd, note a good record\n"
            "  2) yazmaq\n"
            "    see disk\n"
            "  end\n");
  EXPECT_EQ(StyleOf(record, u"record"), kStyles.headword);
  EXPECT_EQ(StyleOf(record, u"re'kord"), kStyles.transcription);
  EXPECT_EQ(StyleOf(record, u"n."), kStyles.label);
  EXPECT_EQ(StyleOf(record, u"qeyd"), kStyles.red);
  EXPECT_EQ(StyleOf(record, u"note"), kStyles.comment);
  EXPECT_EQ(StyleOf(record, u"a "), kStyles.example);
  EXPECT_EQ(StyleOf(record, u"good"), kStyles.italic);
  EXPECT_EQ(StyleOf(record, u"yazmaq"), kStyles.underline);
  EXPECT_EQ(StyleOf(record, u"disk"), kStyles.link);
  EXPECT_EQ(StyleOf(record, u"end"), kStyles.green);  // <c> without a colour
  // The space before the underlined word is not underlined.
  EXPECT_EQ(StyleOf(record, u"2) "), kStyles.text);

  EXPECT_EQ(d.entries[1].article, d.entries[3].article);
  EXPECT_EQ(ArticlePlainText(d.entries[1].article), "to go, went\n  getmek\n");
}

TEST(XdxfReaderTest, LogicalFormNumbersAndIndentsDefinitions) {
  test::TempDir dir;
  const auto file = dir.Write("d.xdxf", R"(<xdxf lang_from="eng" lang_to="rus" format="logical" revision="33">
  <meta_info><title>Short</title><full_title>Full title</full_title></meta_info>
  <lexicon>
    <ar>
      <k>home</k>
      <def>
        <gr><abbr>n.</abbr></gr> <tr>'houm</tr>
        <def><deftext>a dwelling</deftext>
          <ex><ex_orig>at <mrkd>home</mrkd></ex_orig><ex_tran>дома</ex_tran></ex>
          <def><deftext>inner</deftext></def>
          <def><deftext>other</deftext></def>
        </def>
        <def><deftext><dtrn>дом</dtrn>, <kref>house</kref>.</deftext>
          <sr><kref type="syn">abode</kref><kref type="syn">house</kref></sr>
        </def>
      </def>
      <etm>Old English</etm>
    </ar>
    <ar><k>one</k><def><deftext>single</deftext><ex>example</ex></def></ar>
    <ar f="v"><k>plain</k>
line one
line two</ar>
  </lexicon>
</xdxf>)");
  EXPECT_EQ(ProbeXdxf(file).name, "Full title");
  const ImportedDictionary d = ReadXdxf(file, kStyles);
  EXPECT_EQ(d.toLanguage, "ru");
  ASSERT_EQ(d.entries.size(), 3u);
  EXPECT_EQ(ArticlePlainText(d.entries[0].article),
            "home\n"
            "  n. ['houm]\n"
            "    1. a dwelling\n"
            "      at home \xE2\x80\x94 дома\n"
            "      1. inner\n"
            "      2. other\n"
            "    2. дом, house.\n"
            "      abode, house\n"
            "  Old English\n");
  EXPECT_EQ(StyleOf(d.entries[0].article, u"houm"), kStyles.transcription);
  EXPECT_EQ(StyleOf(d.entries[0].article, u"abode"), kStyles.link);
  EXPECT_EQ(StyleOf(d.entries[0].article, u"Old English"), kStyles.comment);
  // An example goes below the definition it belongs to.
  EXPECT_EQ(ArticlePlainText(d.entries[1].article), "one\n  single\n    example\n");
  // An article of the visual form in a logical file keeps its lines.
  EXPECT_EQ(ArticlePlainText(d.entries[2].article), "plain\n  line one\n  line two\n");
}

TEST(XdxfReaderTest, SoundsAreWavOrOggFilesInTheDictionaryFolder) {
  test::TempDir dir;
  const std::string wav = std::string("RIFF\x08\0\0\0WAVEdata", 16);
  dir.Write("snd/a.wav", wav);
  dir.Write("notes.txt", "not a sound");
  dir.Write("outside.wav", wav);
  const auto file = dir.Write("dict/d.xdxf", R"(<xdxf lang_from="ENG" lang_to="AZE" format="visual">
<ar><k>a</k> <rref>../snd/a.wav</rref><rref>../outside.wav</rref></ar>
<ar><k>b</k> <rref lctn="x.wav"/><rref>../notes.txt</rref></ar></xdxf>)");
  dir.Write("dict/x.wav", wav);
  dir.Write("dict/sub/y.ogg", "OggS-rest");
  dir.Write("dict/c.xdxf", R"(<xdxf lang_from="ENG" lang_to="AZE" format="visual">
<ar><k>c</k> <rref>sub\y.ogg</rref> <rref start="4" size="100">sub/y.ogg</rref> <rref>sub/y.ogg</rref>
<rref size="8">sub/y.ogg</rref><rref size="7">sub/y.ogg</rref></ar></xdxf>)");
  // Nothing outside the dictionary's folder is read.
  const ImportedDictionary d = ReadXdxf(dir.path() / "dict/d.xdxf", kStyles);
  ASSERT_EQ(d.sounds.size(), 1u);
  EXPECT_EQ(d.sounds[0], wav);
  EXPECT_EQ(ArticlePlainText(d.entries[0].article, true), "a\n");
  EXPECT_EQ(ArticlePlainText(d.entries[1].article, true), "b [sound 1]\n");
  // One file is one sound however it is written; a part of it that is not
  // playable gives no button; parts add up to at most twice the file.
  const ImportedDictionary c = ReadXdxf(dir.path() / "dict/c.xdxf", kStyles);
  ASSERT_EQ(c.sounds.size(), 2u);
  EXPECT_EQ(c.sounds[0], "OggS-rest");
  EXPECT_EQ(c.sounds[1], "OggS-res");
  EXPECT_EQ(ArticlePlainText(c.entries[0].article, true), "c [sound 1] [sound 1]\n  [sound 2]\n");
}

TEST(XdxfReaderTest, DamagedFilesAreRefusedWithTheirPlace) {
  test::TempDir dir;
  try {
    ReadXdxf(dir.Write("cut.xdxf", "<xdxf><ar><k>a</k>text</ar><ar><k>b</k>te"), kStyles);
    ADD_FAILURE();
  } catch (const ImportError& e) {
    EXPECT_STREQ(e.what(), "cut.xdxf: article 2 at byte 27: not closed by </ar>");
  }
  try {
    ReadXdxf(dir.Write("bad.xdxf", "<xdxf>\n<ar><k>a</k></ar> <ar><k>b</b></ar></xdxf>"), kStyles);
    ADD_FAILURE();
  } catch (const ImportError& e) {
    EXPECT_STREQ(e.what(), "bad.xdxf: article 2 at byte 35: Start-end tags mismatch");
  }
  EXPECT_THROW(ReadXdxf(dir.Write("other.xdxf", "<html><ar><k>a</k></ar></html>"), kStyles), ImportError);
  EXPECT_THROW(ProbeXdxf(dir.Write("empty.xdxf", "")), ImportError);
  // A look at the start does not mind what follows the first article.
  EXPECT_EQ(ProbeXdxf(dir.Write("p.xdxf", "<xdxf lang_from='AZE'><ar><k>a</k><b>")).fromLanguage, "az");
}

TEST(XdxfReaderTest, Utf16FileIsRead) {
  test::TempDir dir;
  std::string file = "\xFF\xFE";  // UTF-16LE
  for (char16_t c : std::u16string(u"<xdxf><full_name>Ad\u0259</full_name><ar><k>\u0259l</k>x</ar></xdxf>"))
    file += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  const ImportedDictionary d = ReadXdxf(dir.Write("u.xdxf", file), kStyles);
  EXPECT_EQ(d.name, "Ad\u0259");
  ASSERT_EQ(d.entries.size(), 1u);
  EXPECT_EQ(d.entries[0].headword, u"\u0259l");
}

TEST(XdxfArticleTest, TextOfAnotherFileFormatGoesAfterTheHeadLine) {
  ArticleBuilder builder(kStyles);
  builder.Head(u"word");
  // A whole <ar> chooses its form; damaged markup is taken as far as it goes.
  AppendXdxfArticle("<ar f=\"l\"><k>word</k><tr>w</tr><def>one</def><def>two <b>bold", builder);
  EXPECT_EQ(ArticlePlainText(builder.Take()), "word [w]\n  1. one\n  2. two bold\n");
  builder.Head(u"deep");
  std::string deep;
  for (int i = 0; i < 1000; ++i) deep += "<b>";
  AppendXdxfArticle(deep + "x", builder);
  EXPECT_EQ(ArticlePlainText(builder.Take()), "deep x\n");
}

}  // namespace
}  // namespace lexmora
