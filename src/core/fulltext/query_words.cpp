#include "fulltext/query_words.h"

#include <unicode/uchar.h>

#include <algorithm>

#include "text/azeri_letters.h"
#include "text/code_page.h"
#include "text/trim.h"

namespace lexmora {

std::vector<std::u16string> SplitQuery(std::u16string_view text) {
  std::vector<std::u16string> words;
  std::u16string rest = Trim(text);
  while (!rest.empty()) {
    std::u16string word;
    const std::size_t space = rest.find(u' ');
    if (space == std::u16string::npos) {
      word = rest;
      rest.clear();
    } else {
      word = rest.substr(0, space);
      rest = Trim(std::u16string_view(rest).substr(space + 1));
    }
    if (std::find(words.begin(), words.end(), word) == words.end()) words.push_back(word);
  }
  return words;
}

int LocaleAnsiCodePage(std::uint32_t locale) {
  switch (locale & 0x3FF) {  // primary language
    case 0x19: case 0x22: case 0x23: case 0x02: case 0x2F: case 0x3F: case 0x40: case 0x44: case 0x50:
      return 1251;  // Russian, Ukrainian, Belarusian, Bulgarian, Macedonian, Kazakh, Kyrgyz, Tatar, Mongolian
    case 0x05: case 0x15: case 0x0E: case 0x1B: case 0x24: case 0x18: case 0x1C:
      return 1250;  // Czech, Polish, Hungarian, Slovak, Slovenian, Romanian, Albanian
    case 0x1F:
      return 1254;  // Turkish
    case 0x2C:
      return locale == 0x82C ? 1251 : 1254;  // Azeri Cyrillic / Latin
    case 0x1A:
      return (locale == 0xC1A || locale == 0x1C1A) ? 1251 : 1250;  // Serbian Cyrillic / Croatian
    default:
      return 1252;
  }
}

namespace {

std::string UpperByCodePage(const std::string& bytes, int codePage) {
  std::string up = UpperCase(bytes, UpperRuleFor(codePage));
  if (codePage == 1251) up = FoldYo(up);
  return up;
}

void PutBackQuestionMarks(std::u16string& form, const std::vector<std::size_t>& marks) {
  for (std::size_t p : marks)
    if (p < form.size()) form[p] = u'?';
}

}  // namespace

void NormalizeQueryWords(std::vector<std::u16string>& words, int codePageA, int codePageB) {
  for (std::u16string& w : words) {
    std::vector<std::size_t> marks;
    for (std::size_t i = 0; i < w.size(); ++i) {
      if (w[i] == u'?') {
        marks.push_back(i);
        w[i] = u' ';
      }
    }
    int cpA = codePageA, cpB = codePageB;
    if (w.find(u'\u0130') != std::u16string::npos) cpA = cpB = 1254;
    const std::string a = UpperCase(FromUnicode(w, cpA), UpperRuleFor(cpA));
    const bool aOk = a.find('?') == std::string::npos;
    const std::string b = FromUnicode(w, cpB);
    const bool bOk = b.find('?') == std::string::npos;
    const std::string& chosen = bOk ? b : a;
    const int chosenCp = bOk ? cpB : cpA;
    std::vector<std::u16string> forms;
    if (chosen.find('?') != std::string::npos) {
      std::u16string up = w;
      for (char16_t& c : up) c = static_cast<char16_t>(u_toupper(c));
      forms.push_back(up);
    } else {
      const std::u16string form2 = ToUnicode(UpperByCodePage(chosen, chosenCp), chosenCp);
      if (aOk && bOk) {
        const std::u16string form1 = ToUnicode(UpperByCodePage(a, cpA), cpA);
        if (form1 != form2) forms.push_back(form1);
      }
      forms.push_back(form2);
    }
    // The '?' goes back into every form, so that a word typed with one finds
    // nothing rather than its pieces.
    std::u16string result;
    for (auto& f : forms) {
      PutBackQuestionMarks(f, marks);
      if (!result.empty()) result += u' ';
      result += f;
    }
    w = result;
  }
}

std::vector<std::u16string> SearchForms(const std::u16string& normalized) {
  std::vector<std::u16string> forms;
  std::size_t start = 0;
  while (start <= normalized.size()) {
    std::size_t end = normalized.find(u' ', start);
    if (end == std::u16string::npos) end = normalized.size();
    std::u16string f = normalized.substr(start, end - start);
    if (!f.empty() && std::find(forms.begin(), forms.end(), f) == forms.end()) forms.push_back(f);
    start = end + 1;
  }
  return forms;
}

}  // namespace lexmora
