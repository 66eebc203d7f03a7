#include "suggest/transliteration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "text/code_page.h"

namespace lexmora {
namespace {

TEST(Transliteration, TellsTheAlphabets) {
  struct Case {
    std::u16string text;
    bool cyrillic;
    bool latin;
  };
  const Case cases[] = {
      {u"", false, false},          {u"123 -'", false, false},    {u"kitab", false, true},
      {u"шәһәр", true, false},      {u"ҹаваб", true, false},      {u"şəhər", false, true},
      {u"ıə", false, true},         {u"јол-yol", true, true},     {u"αβγ", false, false},
      {u"Ё", true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HasCyrillic(c.text), c.cyrillic) << Utf16ToUtf8(c.text);
    EXPECT_EQ(HasLatin(c.text), c.latin) << Utf16ToUtf8(c.text);
  }
}

TEST(Transliteration, AzeriCyrillicToLatin) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"китаб", u"kitab"},
      {u"шәһәр", u"şəhər"},
      {u"ҝөз", u"göz"},
      {u"ҹаваб", u"cavab"},
      {u"ушаг", u"uşaq"},
      {u"гыз", u"qız"},
      {u"јол", u"yol"},
      {u"чај", u"çay"},
      {u"ғүнүн", u"ğünün"},
      {u"хејир", u"xeyir"},
      // Upper case in, lower case out.
      {u"АЗӘРБАЈҸАН", u"azərbaycan"},
      {u"ҜӨЗӘЛ Ғ Ү Һ Ө Ы Ж", u"gözəl ğ ü h ö ı j"},
      // The letters of Russian loanwords.
      {u"йод", u"yod"},
      {u"юбка", u"yubka"},
      {u"Ялта", u"yalta"},
      {u"ёлка", u"yolka"},
      {u"экран", u"ekran"},
      {u"цирк", u"tsirk"},
      {u"щётка", u"şçyotka"},
      {u"объект", u"obekt"},
      {u"фильм", u"film"},
      // A letter and a combining mark.
      {u"и\u0306од", u"yod"},
      // Other characters stay, Latin letters lower-cased.
      {u"шәһhәр", u"şəhhər"},
      {u"Јol 2-Ci", u"yol 2-ci"},
      {u"", u""},
  };
  for (const auto& [cyrillic, latin] : cases)
    EXPECT_EQ(Utf16ToUtf8(AzeriCyrillicToLatin(cyrillic)), Utf16ToUtf8(latin)) << Utf16ToUtf8(cyrillic);
}

TEST(Transliteration, RussianLatinLikeliestFirst) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"kniga", u"книга"},     {u"shkola", u"школа"},    {u"khleb", u"хлеб"},
      {u"chay", u"чай"},        {u"moy", u"мой"},         {u"zhena", u"жена"},
      {u"shchi", u"щи"},        {u"yabloko", u"яблоко"},  {u"yug", u"юг"},
      {u"yolka", u"ёлка"},      {u"zhizn'", u"жизнь"},    {u"zhizn\u2019", u"жизнь"},
      {u"tsvet", u"цвет"},      {u"ryba", u"рыба"},       {u"novyy", u"новый"},
      {u"krasnyi", u"красный"}, {u"yesli", u"если"},      {u"taksi", u"такси"},
      {u"taxi", u"такси"},      {u"voyna", u"война"},     {u"KNIGA", u"книга"},
      {u"Moskva", u"москва"},   {u"jug", u"юг"},          {u"wodka", u"водка"},
      {u"linii", u"линии"},     {u"privet mir", u"привет мир"},
  };
  for (const auto& [latin, cyrillic] : cases) {
    const std::vector<std::u16string> variants = RussianLatinToCyrillic(latin);
    ASSERT_FALSE(variants.empty()) << Utf16ToUtf8(latin);
    EXPECT_EQ(Utf16ToUtf8(variants.front()), Utf16ToUtf8(cyrillic)) << Utf16ToUtf8(latin);
  }
}

TEST(Transliteration, RussianLatinRarerReadings) {
  // A reading that is not the likeliest but must be among the variants.
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"yolka", u"елка"},         {u"yeshchyo", u"еще"},    {u"shchyoki", u"щеки"},
      {u"schast'e", u"счастье"},   {u"otsyuda", u"отсюда"},  {u"eto", u"это"},
      {u"xorosho", u"хорошо"},     {u"vyuga", u"вьюга"},     {u"Vasilii", u"василий"},
      {u"ob'yavlenie", u"объявление"}, {u"obyavlenie", u"объявление"},
  };
  for (const auto& [latin, cyrillic] : cases) {
    const std::vector<std::u16string> variants = RussianLatinToCyrillic(latin);
    EXPECT_NE(std::find(variants.begin(), variants.end(), cyrillic), variants.end())
        << Utf16ToUtf8(latin) << " lacks " << Utf16ToUtf8(cyrillic);
  }
}

TEST(Transliteration, RussianLatinVariantsAreFewAndDistinct) {
  for (const std::u16string latin : {u"yeshche", u"schyotchik", u"ex-tsar'", u"yyyyyyyyyyyy", u"x", u"'"}) {
    const std::vector<std::u16string> variants = RussianLatinToCyrillic(latin);
    EXPECT_FALSE(variants.empty()) << Utf16ToUtf8(latin);
    EXPECT_LE(variants.size(), 8u) << Utf16ToUtf8(latin);
    EXPECT_EQ(std::set<std::u16string>(variants.begin(), variants.end()).size(), variants.size())
        << Utf16ToUtf8(latin);
    for (const std::u16string& v : variants) EXPECT_FALSE(HasLatin(v)) << Utf16ToUtf8(v);
  }
  EXPECT_TRUE(RussianLatinToCyrillic(u"").empty());
  // Text that is not Latin stays as it is.
  EXPECT_EQ(RussianLatinToCyrillic(u"Дом 5"), std::vector<std::u16string>{u"дом 5"});
  EXPECT_EQ(RussianLatinToCyrillic(u"'"), std::vector<std::u16string>{u"'"});
}

}  // namespace
}  // namespace lexmora
