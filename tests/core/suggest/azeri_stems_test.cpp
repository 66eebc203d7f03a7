#include "suggest/azeri_stems.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "suggest/search_folding.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

std::u16string Fold(const std::u16string& text) { return FoldForSearch(text, HeadwordLanguage::Azeri); }

std::string Show(const std::vector<std::u16string>& candidates) {
  std::string out;
  for (const auto& c : candidates) out += Utf16ToUtf8(c) + " ";
  return out;
}

struct Form {
  std::u16string form;
  std::u16string headword;
};

// Word forms as Azeri writes them, with the headword each comes from.
const Form kForms[] = {
    // Plural, possessives and cases of a consonant-final noun.
    {u"kitablar", u"kitab"}, {u"kitabım", u"kitab"}, {u"kitabın", u"kitab"}, {u"kitabı", u"kitab"},
    {u"kitabımız", u"kitab"}, {u"kitabınız", u"kitab"}, {u"kitabları", u"kitab"}, {u"kitabda", u"kitab"},
    {u"kitabdan", u"kitab"}, {u"kitaba", u"kitab"}, {u"kitablarımızdan", u"kitab"}, {u"kitabına", u"kitab"},
    {u"kitabdır", u"kitab"}, {u"kitablarda", u"kitab"}, {u"kitabımla", u"kitab"},
    {u"evlər", u"ev"}, {u"evim", u"ev"}, {u"evin", u"ev"}, {u"evi", u"ev"}, {u"evimiz", u"ev"},
    {u"eviniz", u"ev"}, {u"evləri", u"ev"}, {u"evdə", u"ev"}, {u"evdən", u"ev"}, {u"evə", u"ev"},
    {u"evində", u"ev"}, {u"evinə", u"ev"}, {u"evindən", u"ev"}, {u"evinin", u"ev"}, {u"evini", u"ev"},
    {u"evlərində", u"ev"}, {u"evdədir", u"ev"}, {u"evsiz", u"ev"}, {u"evli", u"ev"},
    {u"şəhərlər", u"şəhər"}, {u"şəhərdə", u"şəhər"}, {u"şəhərə", u"şəhər"}, {u"şəhərdən", u"şəhər"},
    {u"şəhərimiz", u"şəhər"}, {u"şəhərin", u"şəhər"},
    {u"məktəbə", u"məktəb"}, {u"məktəbdə", u"məktəb"}, {u"məktəbimizdən", u"məktəb"},
    {u"dostum", u"dost"}, {u"dostlar", u"dost"}, {u"dostlarım", u"dost"}, {u"dostlarımız", u"dost"},
    {u"dostsuz", u"dost"}, {u"dostla", u"dost"},
    {u"qızı", u"qız"}, {u"qızlar", u"qız"}, {u"qızım", u"qız"}, {u"qızın", u"qız"},
    {u"gözlər", u"göz"}, {u"gözüm", u"göz"}, {u"gözü", u"göz"}, {u"gözündən", u"göz"},
    {u"yolu", u"yol"}, {u"yolda", u"yol"}, {u"yola", u"yol"}, {u"yolçu", u"yol"}, {u"yolumuz", u"yol"},
    {u"işim", u"iş"}, {u"işdə", u"iş"}, {u"işsiz", u"iş"}, {u"işə", u"iş"}, {u"işçilər", u"işçi"},
    {u"işçilər", u"iş"}, {u"gülü", u"gül"}, {u"güllər", u"gül"}, {u"günlər", u"gün"}, {u"gündə", u"gün"},
    {u"sözün", u"söz"}, {u"sözlərimiz", u"söz"}, {u"adım", u"ad"}, {u"adı", u"ad"},
    {u"lüğətdə", u"lüğət"}, {u"lüğətim", u"lüğət"}, {u"məktubu", u"məktub"}, {u"məktublar", u"məktub"},
    {u"dənizdə", u"dəniz"}, {u"dənizə", u"dəniz"}, {u"illər", u"il"}, {u"Azərbaycanda", u"Azərbaycan"},
    {u"Azərbaycanın", u"Azərbaycan"}, {u"müəllimə", u"müəllim"}, {u"müəllimlər", u"müəllim"},
    {u"müəllimdir", u"müəllim"}, {u"müəlliməm", u"müəllim"}, {u"balıqçı", u"balıq"}, {u"ilanı", u"ilan"},
    // Vowel-final nouns: buffer consonants y, n, s.
    {u"anam", u"ana"}, {u"anan", u"ana"}, {u"anası", u"ana"}, {u"anamız", u"ana"}, {u"ananız", u"ana"},
    {u"anaya", u"ana"}, {u"anada", u"ana"}, {u"anadan", u"ana"}, {u"ananın", u"ana"}, {u"ananı", u"ana"},
    {u"anasına", u"ana"}, {u"anasında", u"ana"}, {u"anasından", u"ana"}, {u"anasını", u"ana"},
    {u"anasının", u"ana"}, {u"analar", u"ana"}, {u"anayla", u"ana"}, {u"atası", u"ata"},
    {u"Bakıya", u"Bakı"}, {u"Bakıda", u"Bakı"}, {u"Bakıdan", u"Bakı"}, {u"Bakının", u"Bakı"},
    {u"qapını", u"qapı"}, {u"qapıya", u"qapı"}, {u"qapıda", u"qapı"}, {u"ailəmiz", u"ailə"},
    {u"suyu", u"su"}, {u"suya", u"su"}, {u"susuz", u"su"}, {u"suyun", u"su"}, {u"suda", u"su"},
    {u"çayı", u"çay"}, {u"çaysız", u"çay"},
    // Adjectives.
    {u"gözəldir", u"gözəl"}, {u"yaxşıdır", u"yaxşı"}, {u"istidir", u"isti"}, {u"şirindir", u"şirin"},
    {u"böyüyü", u"böyük"}, {u"yaşıllar", u"yaşıl"},
    // k/q of the stem before a vowel.
    {u"çörəyi", u"çörək"}, {u"çörəyim", u"çörək"}, {u"çörəyə", u"çörək"}, {u"çörəkdən", u"çörək"},
    {u"çörəyimizdən", u"çörək"}, {u"uşağı", u"uşaq"}, {u"uşağa", u"uşaq"}, {u"uşaqlara", u"uşaq"},
    {u"uşağım", u"uşaq"}, {u"uşağın", u"uşaq"}, {u"ürəyim", u"ürək"}, {u"ürəyi", u"ürək"},
    {u"balığı", u"balıq"}, {u"torpağa", u"torpaq"}, {u"işığı", u"işıq"}, {u"pişiyi", u"pişik"},
    {u"əriyi", u"ərik"},
    // The vowel of the last syllable dropped before a vowel.
    {u"ətri", u"ətir"}, {u"ağzı", u"ağız"}, {u"burnu", u"burun"}, {u"oğlu", u"oğul"},
    {u"fikrim", u"fikir"},
    // getmək: present, past, evidential, future, negatives, t → d.
    {u"gedirəm", u"getmək"}, {u"gedirsən", u"getmək"}, {u"gedir", u"getmək"}, {u"gedirik", u"getmək"},
    {u"gedirsiniz", u"getmək"}, {u"gedirlər", u"getmək"}, {u"getdim", u"getmək"}, {u"getdin", u"getmək"},
    {u"getdi", u"getmək"}, {u"getdik", u"getmək"}, {u"getdiniz", u"getmək"}, {u"getdilər", u"getmək"},
    {u"getmişəm", u"getmək"}, {u"getmişdir", u"getmək"}, {u"gedəcəyəm", u"getmək"},
    {u"gedəcəksən", u"getmək"}, {u"gedəcək", u"getmək"}, {u"gedəcəyik", u"getmək"},
    {u"gedəcəklər", u"getmək"}, {u"getmirəm", u"getmək"}, {u"getmədim", u"getmək"},
    {u"getməyəcək", u"getmək"}, {u"getməmişəm", u"getmək"}, {u"get", u"getmək"},
    {u"gəlirəm", u"gəlmək"}, {u"gəldi", u"gəlmək"}, {u"gəlmişəm", u"gəlmək"}, {u"gələcəyəm", u"gəlmək"},
    {u"gəlmir", u"gəlmək"}, {u"gəlmədi", u"gəlmək"}, {u"gəlməyəcəyəm", u"gəlmək"},
    {u"oxuyuram", u"oxumaq"}, {u"oxuyursan", u"oxumaq"}, {u"oxuyur", u"oxumaq"}, {u"oxuyuruq", u"oxumaq"},
    {u"oxudum", u"oxumaq"}, {u"oxudular", u"oxumaq"}, {u"oxumuşam", u"oxumaq"},
    {u"oxuyacağam", u"oxumaq"}, {u"oxumuram", u"oxumaq"}, {u"oxumadı", u"oxumaq"},
    {u"oxumayacaq", u"oxumaq"},
    {u"yazıram", u"yazmaq"}, {u"yazırıq", u"yazmaq"}, {u"yazdıq", u"yazmaq"}, {u"yazdınız", u"yazmaq"},
    {u"yazacağıq", u"yazmaq"}, {u"yazmır", u"yazmaq"}, {u"yazmamışdır", u"yazmaq"},
    {u"alıram", u"almaq"}, {u"aldım", u"almaq"}, {u"alacaq", u"almaq"}, {u"almadı", u"almaq"},
    {u"verirəm", u"vermək"}, {u"verdi", u"vermək"}, {u"verəcək", u"vermək"}, {u"vermədi", u"vermək"},
    {u"edirəm", u"etmək"}, {u"edir", u"etmək"}, {u"etdim", u"etmək"}, {u"edəcəyəm", u"etmək"},
    {u"görürəm", u"görmək"}, {u"gördüm", u"görmək"}, {u"görmüşəm", u"görmək"}, {u"görəcəyəm", u"görmək"},
    {u"görmürəm", u"görmək"},
    {u"bilirəm", u"bilmək"}, {u"bildim", u"bilmək"}, {u"bilmirəm", u"bilmək"}, {u"biləcək", u"bilmək"},
    {u"deyirəm", u"demək"}, {u"deyir", u"demək"}, {u"dedim", u"demək"}, {u"deyəcək", u"demək"},
    {u"yeyirəm", u"yemək"}, {u"yedi", u"yemək"}, {u"yeyəcəyik", u"yemək"},
    {u"içirəm", u"içmək"}, {u"içdi", u"içmək"}, {u"içəcək", u"içmək"},
    {u"qalıram", u"qalmaq"}, {u"qaldı", u"qalmaq"}, {u"qalacaq", u"qalmaq"}, {u"qalmadı", u"qalmaq"},
    {u"oluram", u"olmaq"}, {u"oldu", u"olmaq"}, {u"olacaq", u"olmaq"},
    {u"sevirəm", u"sevmək"}, {u"sevdi", u"sevmək"},
    {u"işləyirəm", u"işləmək"}, {u"işləyir", u"işləmək"}, {u"işlədi", u"işləmək"},
    {u"işləyəcək", u"işləmək"}, {u"işləmir", u"işləmək"}, {u"işləməyəcək", u"işləmək"},
    {u"başlayır", u"başlamaq"}, {u"başladı", u"başlamaq"}, {u"başlayacaq", u"başlamaq"},
    {u"gözləyirəm", u"gözləmək"}, {u"öyrənirəm", u"öyrənmək"}, {u"öyrənəcəyik", u"öyrənmək"},
    // The infinitive with a case ending: its k/q before the vowel.
    {u"oxumağa", u"oxumaq"}, {u"getməyə", u"getmək"},
    // Typed without the Azeri letters.
    {u"kitablarimizdan", u"kitab"}, {u"gedirem", u"getmək"}, {u"coreyi", u"çörək"}, {u"usaga", u"uşaq"},
    {u"seherde", u"şəhər"}, {u"gelecek", u"gəlmək"}, {u"isciler", u"işçi"},
};

TEST(AzeriStems, WordFormsLeadToTheirHeadwords) {
  EXPECT_GE(std::size(kForms), 150u);
  for (const Form& f : kForms) {
    const std::u16string form = Fold(f.form);
    const auto candidates = AzeriStemCandidates(form);
    EXPECT_NE(std::find(candidates.begin(), candidates.end(), Fold(f.headword)), candidates.end())
        << Utf16ToUtf8(f.form) << " -> " << Utf16ToUtf8(f.headword) << ": " << Show(candidates);
    // Never the form itself, never twice the same, never without bound.
    EXPECT_EQ(std::find(candidates.begin(), candidates.end(), form), candidates.end()) << Utf16ToUtf8(f.form);
    EXPECT_EQ(std::set<std::u16string>(candidates.begin(), candidates.end()).size(), candidates.size())
        << Utf16ToUtf8(f.form) << ": " << Show(candidates);
    EXPECT_LE(candidates.size(), 200u) << Utf16ToUtf8(f.form);
  }
}

TEST(AzeriStems, FewestSuffixesFirst) {
  struct Order {
    std::u16string form, earlier, later;
  };
  const Order orders[] = {
      {u"işçilər", u"işçi", u"iş"},
      {u"kitablarımız", u"kitablar", u"kitab"},
      {u"evlərində", u"evləri", u"ev"},
  };
  for (const Order& o : orders) {
    const auto candidates = AzeriStemCandidates(Fold(o.form));
    const auto earlier = std::find(candidates.begin(), candidates.end(), Fold(o.earlier));
    const auto later = std::find(candidates.begin(), candidates.end(), Fold(o.later));
    ASSERT_NE(later, candidates.end()) << Utf16ToUtf8(o.form);
    EXPECT_LT(earlier, later) << Utf16ToUtf8(o.form) << ": " << Show(candidates);
  }
}

TEST(AzeriStems, BareAndTooShortWords) {
  // A headword as it stands: nothing leads back to itself.
  for (const std::u16string word : {u"kitab", u"ev", u"getmək", u"işıqlı", u"alma", u"su", u"ürək", u"oxumaq"}) {
    const auto candidates = AzeriStemCandidates(Fold(word));
    EXPECT_EQ(std::find(candidates.begin(), candidates.end(), Fold(word)), candidates.end()) << Utf16ToUtf8(word);
  }
  // Stripping stops at a stem of two letters with a vowel.
  for (const std::u16string word : {u"", u"a", u"ə", u"x", u"evə", u"də"}) {
    const auto candidates = AzeriStemCandidates(Fold(word));
    for (const auto& c : candidates) EXPECT_GE(c.size(), 2u) << Utf16ToUtf8(word) << ": " << Show(candidates);
  }
  EXPECT_TRUE(AzeriStemCandidates(u"").empty());
  EXPECT_TRUE(AzeriStemCandidates(u"a").empty());
  EXPECT_TRUE(AzeriStemCandidates(u"k").empty());
}

}  // namespace
}  // namespace lexmora
