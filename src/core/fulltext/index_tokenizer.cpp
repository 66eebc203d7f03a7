#include "fulltext/index_tokenizer.h"

#include <unicode/uchar.h>

#include <array>

#include "text/azeri_letters.h"
#include "text/code_page.h"

namespace lexmora {

namespace {

constexpr std::array<bool, 256> MakeGapTable() {
  std::array<bool, 256> t{};
  t[0x00] = true;
  for (int b = 0x02; b <= 0x0C; ++b) t[b] = true;
  for (int b = 0x0E; b <= 0x1F; ++b) t[b] = true;
  for (char c : std::string_view(" !(),-.:;=?[]~")) t[static_cast<std::uint8_t>(c)] = true;
  return t;
}
constexpr std::array<bool, 256> kGap = MakeGapTable();

constexpr std::array<bool, 256> MakeTerminatorTable() {
  std::array<bool, 256> t = MakeGapTable();
  t[0x0D] = true;
  return t;
}
constexpr std::array<bool, 256> kTerminator = MakeTerminatorTable();

constexpr std::uint32_t kLocaleRussian = 0x419;
constexpr std::uint32_t kLocaleAzeri = 0x42C;

}  // namespace

bool IsIndexGapByte(std::uint8_t b) { return kGap[b]; }

int StyleStateAfter(std::string_view text, int before) {
  int state = before;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] != 0x01) {
      ++i;
      continue;
    }
    if (text.size() - i >= 4 && text[i + 1] == 1 && static_cast<std::uint8_t>(text[i + 2]) < kArticleStyleCount)
      state = static_cast<std::uint8_t>(text[i + 2]);
    i += 4;
  }
  return state;
}

void IndexTokenizer::SetStyleState(int state) {
  if (state < 0 || state >= kArticleStyleCount) {
    styleSet_ = false;
    style_ = 0;
    codePage_ = 0;
    locale_ = 0;
    return;
  }
  styleSet_ = true;
  style_ = state;
  codePage_ = styles_[static_cast<std::size_t>(state)].codePage;
  locale_ = styles_[static_cast<std::size_t>(state)].locale;
}

void IndexTokenizer::StartArticle(std::string text) {
  text_ = std::move(text);
  pos_ = 0;
  line_ = 1;
}

const std::array<char16_t, 256>& IndexTokenizer::KeyTable() {
  // Every step of the key form works byte by byte, so one table per style
  // holds the whole conversion. Slot 0 is the state before any style tag.
  const std::size_t slot = styleSet_ ? static_cast<std::size_t>(style_) + 1 : 0;
  if (!keyTableReady_[slot]) {
    auto& table = keyTables_[slot];
    for (int b = 0; b < 256; ++b) {
      std::string one(1, static_cast<char>(b));
      if (locale_ == kLocaleRussian) one = FoldYo(one);
      else if (locale_ == kLocaleAzeri) one = UpperCase(one, UpperRule::Azeri1254);
      char16_t unit = ToUnicode(one, locale_ == 0 ? PhoneticCode : codePage_)[0];
      if (locale_ != kLocaleAzeri) unit = static_cast<char16_t>(u_toupper(unit));
      table[static_cast<std::size_t>(b)] = unit;
    }
    keyTableReady_[slot] = true;
  }
  return keyTables_[slot];
}

void IndexTokenizer::ToKey(std::string_view bytes, std::u16string& out) {
  const auto& table = KeyTable();
  out.resize(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) out[i] = table[static_cast<std::uint8_t>(bytes[i])];
}

bool IndexTokenizer::Next(IndexWord& out) {
  const std::size_t n = text_.size();
  while (true) {
    while (pos_ < n && kGap[static_cast<std::uint8_t>(text_[pos_])]) ++pos_;
    if (pos_ >= n) return false;
    const char c = text_[pos_];
    if (c == 0x01) {
      if (n - pos_ >= 4 && text_[pos_ + 1] == 1) {
        const auto a = static_cast<std::uint8_t>(text_[pos_ + 2]);
        if (a < kArticleStyleCount) {
          style_ = a;
          styleSet_ = true;
          codePage_ = styles_[a].codePage;
          locale_ = styles_[a].locale;
        }
      }
      pos_ += 4;
      continue;
    }
    if (c == 0x0D) {
      ++line_;
      ++pos_;
      continue;
    }
    const std::size_t start = pos_;
    int depth = 0;
    bool parens = false;
    std::size_t p = start;
    for (; p < n; ++p) {
      const auto b = static_cast<std::uint8_t>(text_[p]);
      if (b == 0x01) break;
      if (b == '(') {
        ++depth;
        parens = true;
        continue;
      }
      if (kTerminator[b] && depth <= 0) break;
      if (b == ')') --depth;
    }
    if (p >= n) {
      pos_ = n;
      return false;  // nothing follows the word: it is dropped
    }
    const std::size_t length = p - start;
    std::string_view bytes(text_.data() + start, length);
    scratch_.clear();
    if (parens) {
      // Full form: the word without its parenthesis bytes. The short form
      // (without the parenthesised parts), padded with spaces, replaces the
      // word in the text and is found by the next call.
      std::string shortForm;
      int d = 0;
      for (char b : bytes) {
        if (b == '(') {
          ++d;
          continue;
        }
        if (b == ')') {
          --d;
          continue;
        }
        scratch_.push_back(b);
        if (d <= 0) shortForm.push_back(b);
      }
      shortForm.resize(length, ' ');
      text_.replace(start, length, shortForm);
      pos_ = start;
      bytes = scratch_;
    } else {
      pos_ = p;
    }
    ToKey(bytes, out.word);
    out.position = static_cast<std::uint32_t>(start + 1);
    out.length = static_cast<std::uint32_t>(length);
    out.lineFlag = line_ == 1 ? 0 : 1;
    return true;
  }
}

}  // namespace lexmora
