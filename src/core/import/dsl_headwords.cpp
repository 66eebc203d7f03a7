#include "import/dsl_headwords.h"

#include <algorithm>

namespace lexmora {
namespace {

// The indexed part of a line: characters, and the parentheses of optional
// parts as markers (escaped ones are characters). Parts past the limits
// below stay in every form, their parentheses only shown.
constexpr int kOpen = -1;
constexpr int kClose = -2;
constexpr int kKeptOpen = -3;
constexpr int kKeptClose = -4;
using Tokens = std::vector<int>;

// The expansion recurses into nested parts and copies the forms at each:
// both are bounded, whatever the line.
constexpr std::size_t kMaxNesting = 8;
constexpr std::size_t kMaxOptionalParts = 16;

void FoldBlanks(std::u16string& s) {
  std::size_t out = 0;
  bool blank = false;
  for (char16_t c : s) {
    if (c == u' ' || c == u'\t' || c == u'\r') {
      blank = out > 0;
      continue;
    }
    if (blank) s[out++] = u' ';
    blank = false;
    s[out++] = c;
  }
  s.resize(out);
}

// The last unescaped c in s, npos when none.
std::size_t LastUnescaped(std::u16string_view s, char16_t c) {
  std::size_t last = std::u16string_view::npos;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'\\') ++i;
    else if (s[i] == c) last = i;
  }
  return last;
}

std::size_t NextUnescaped(std::u16string_view s, std::size_t from, char16_t c) {
  for (std::size_t i = from; i < s.size(); ++i) {
    if (s[i] == u'\\') ++i;
    else if (s[i] == c) return i;
  }
  return std::u16string_view::npos;
}

// Pairs the markers; those without a partner become the characters they
// are, pairs past the limits kept parts.
std::vector<std::size_t> MatchParentheses(Tokens& tokens) {
  std::vector<std::size_t> match(tokens.size(), 0);
  std::vector<std::size_t> open;
  std::size_t parts = 0;
  for (std::size_t k = 0; k < tokens.size(); ++k) {
    if (tokens[k] == kOpen) {
      open.push_back(k);
    } else if (tokens[k] == kClose) {
      if (open.empty()) {
        tokens[k] = u')';
        continue;
      }
      const std::size_t o = open.back();
      open.pop_back();
      if (open.size() >= kMaxNesting || parts == kMaxOptionalParts) {
        tokens[o] = kKeptOpen;
        tokens[k] = kKeptClose;
      } else {
        match[o] = k;
        ++parts;
      }
    }
  }
  for (std::size_t o : open) tokens[o] = u'(';
  return match;
}

// Every form of tokens[begin, end): for each optional part first with it,
// then without. Past kMaxDslForms only the first ones and the last (every
// part left out) are made.
std::vector<std::u16string> Expand(const Tokens& tokens, const std::vector<std::size_t>& match, std::size_t begin,
                                   std::size_t end) {
  std::vector<std::u16string> forms(1);
  for (std::size_t k = begin; k < end; ++k) {
    if (tokens[k] >= 0) {
      for (std::u16string& f : forms) f += static_cast<char16_t>(tokens[k]);
      continue;
    }
    if (tokens[k] != kOpen) continue;
    const std::vector<std::u16string> parts = Expand(tokens, match, k + 1, match[k]);
    std::vector<std::u16string> next;
    next.reserve(kMaxDslForms);
    for (std::size_t i = 0; i < forms.size(); ++i) {
      for (const std::u16string& p : parts)
        if (next.size() + 1 < kMaxDslForms) next.push_back(forms[i] + p);
      if (next.size() + 1 < kMaxDslForms || i + 1 == forms.size()) next.push_back(std::move(forms[i]));
    }
    forms = std::move(next);
    k = match[k];
  }
  return forms;
}

}  // namespace

DslHeadword ParseDslHeadword(std::u16string_view line, std::u16string_view tilde) {
  DslHeadword h;
  Tokens tokens;
  tokens.reserve(line.size());
  h.shown.reserve(line.size());
  const std::size_t lastBrace = LastUnescaped(line, u'}');
  const std::size_t lastBracket = LastUnescaped(line, u']');
  int unsorted = 0;
  const auto add = [&](char16_t c) {
    h.shown += c;
    if (unsorted == 0) tokens.push_back(c);
  };
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char16_t c = line[i];
    if (c == u'\\' && i + 1 < line.size()) {
      add(line[++i]);
    } else if (c == u'[' && lastBracket != std::u16string_view::npos && i < lastBracket) {
      i = NextUnescaped(line, i + 1, u']');  // a tag: headwords show none
    } else if (c == u'{' && lastBrace != std::u16string_view::npos && i < lastBrace) {
      ++unsorted;
    } else if (c == u'}' && unsorted > 0) {
      --unsorted;
    } else if (c == u'~' && !tilde.empty()) {
      for (char16_t t : tilde) add(t);
    } else if ((c == u'(' || c == u')') && unsorted == 0) {
      h.shown += c;
      tokens.push_back(c == u'(' ? kOpen : kClose);
    } else {
      add(c);
    }
  }
  FoldBlanks(h.shown);

  const std::vector<std::size_t> match = MatchParentheses(tokens);
  h.tilde.reserve(tokens.size());
  bool optional = false;
  for (int t : tokens) {
    optional |= t == kOpen;
    h.tilde += t == kOpen || t == kKeptOpen ? u'(' : t == kClose || t == kKeptClose ? u')' : static_cast<char16_t>(t);
  }
  FoldBlanks(h.tilde);
  if (!optional) {
    if (!h.tilde.empty()) h.forms.push_back(h.tilde);
    return h;
  }
  for (std::u16string& form : Expand(tokens, match, 0, tokens.size())) {
    FoldBlanks(form);
    if (!form.empty() && std::find(h.forms.begin(), h.forms.end(), form) == h.forms.end())
      h.forms.push_back(std::move(form));
  }
  return h;
}

}  // namespace lexmora
