#include "import/wiktionary_reader.h"

#include <gtest/gtest.h>

#include "article/article_renderer.h"
#include "article/article_text.h"
#include "support/article_style_of.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

const ImportStyles kStyles;

using test::StyleOf;

// As kaikki.org's Azerbaijani extract writes it, shortened.
constexpr std::string_view kKitab =
    R"j({"pos": "noun", "head_templates": [{"name": "az-noun", "expansion": "kitab (plural kitablar)"}], )j"
    R"j("forms": [{"form": "kitabı", "tags": ["accusative", "definite"]}, {"form": "kitablar", "tags": ["plural"]}, )j"
    R"j({"form": "no-table-tags", "tags": ["table-tags"], "source": "declension"}, )j"
    R"j({"form": "kitab", "tags": ["nominative"], "source": "declension"}, )j"
    R"j({"form": "kitablar", "tags": ["nominative", "plural"], "source": "declension"}], )j"
    R"j("sounds": [{"ipa": "/ki.tɑb/"}, {"ipa": "[ciˈtɑb]"}, {"ipa": "/ki.tɑb/", "tags": ["Baku"]}, {"ipa": "[x]"}, )j"
    R"j({"audio": "Az-kitab.ogg"}], "word": "kitab", "lang": "Azerbaijani", "lang_code": "az", )j"
    R"j("senses": [{"glosses": ["book"], "examples": [{"text": "Bu kitab maraqlıdır.", )j"
    R"j("english": "This book is interesting.", "type": "example"}]}, )j"
    R"j({"glosses": ["book", "volume"], "tags": ["figuratively"]}, {"tags": ["no-gloss"]}]})j";

TEST(WiktionaryReaderTest, ReadsEntriesOfTheExtractsLanguage) {
  test::TempDir dir;
  std::string text = "\xEF\xBB\xBF" + std::string(kKitab) + "\r\n";
  text += R"j({"word": "book", "lang": "English", "lang_code": "en", "pos": "noun", )j"
          R"j("senses": [{"glosses": ["a book"]}]})j"
          "\n\n";
  text += R"j({"word": "kitab", "lang_code": "az", "pos": "verb", "senses": [{"raw_glosses": ["(rare) to write"]}]})j"
          "\n";
  text += R"j({"word": "yaz", "lang_code": "az", "senses": [{"glosses": ["summer"]}], )j" "\n";
  text += R"j({"word": "qələm", "lang_code": "az", "pos": "noun", "senses": []})j" "\n";
  text += R"j({"title": "kitablar", "redirect": "kitab"})j" "\n";
  const auto file = dir.Write("az.jsonl", text);

  const DictionaryInfo info = ProbeWiktionary(file);
  EXPECT_EQ(info.fromLanguage, "az");
  EXPECT_EQ(info.toLanguage, "en");

  const ImportedDictionary d = ReadWiktionary(file, kStyles);
  EXPECT_EQ(d.fromLanguage, "az");
  // The two entries of one word stay apart; no form is a headword.
  ASSERT_EQ(d.entries.size(), 2u);
  EXPECT_EQ(d.entries[0].headword, u"kitab");
  EXPECT_EQ(d.entries[1].headword, u"kitab");
  const std::string& noun = d.entries[0].article;
  EXPECT_EQ(ArticlePlainText(noun),
            "kitab /ki.tɑb/, [ciˈtɑb]\n"
            "  forms: kitabı (accusative definite), kitablar (plural)\n"
            "  1. noun book\n"
            "    Bu kitab maraqlıdır. \xE2\x80\x94 This book is interesting.\n"
            "  2. noun (figuratively) volume\n");
  EXPECT_EQ(StyleOf(noun, u"ki.t"), kStyles.transcription);
  EXPECT_EQ(StyleOf(noun, u"forms:"), kStyles.label);
  EXPECT_EQ(StyleOf(noun, u"figuratively"), kStyles.label);
  EXPECT_EQ(StyleOf(noun, u"Bu kitab"), kStyles.example);
  EXPECT_EQ(ArticlePlainText(d.entries[1].article), "kitab\n  verb (rare) to write\n");

  ASSERT_EQ(d.skipped.size(), 3u);
  EXPECT_EQ(d.skipped[0].headword, "book");
  EXPECT_EQ(d.skipped[0].why, "language en");
  EXPECT_EQ(d.skipped[1].why.rfind("line 5: not a JSON object", 0), 0u) << d.skipped[1].why;
  EXPECT_EQ(d.skipped[2].headword, "qələm");
  EXPECT_EQ(d.skipped[2].why, "line 6: no gloss");
}

TEST(WiktionaryReaderTest, FileThatIsNotJsonLinesIsRefused) {
  test::TempDir dir;
  for (const char* text : {"<html><body>kitab</body></html>\n", "[1, 2]\n", ""}) {
    try {
      ReadWiktionary(dir.Write("x.jsonl", text), kStyles);
      ADD_FAILURE() << "read: " << text;
    } catch (const ImportError& e) {
      EXPECT_EQ(std::string(e.what()).rfind("x.jsonl: ", 0), 0u) << e.what();
    }
  }
}

}  // namespace
}  // namespace lexmora
