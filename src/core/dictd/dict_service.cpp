#include "dictd/dict_service.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <atomic>
#include <cctype>

#include "article/article_text.h"
#include "dictionary/loaded_group.h"
#include "dictionary/lookup.h"
#include "fulltext/indexer.h"
#include "fulltext/searcher.h"
#include "lists/flashcard_export.h"
#include "session/group_names.h"
#include "suggest/suggestion_index.h"
#include "text/code_page.h"
#include "text/collation.h"
#include "text/trim.h"

namespace lexmora::dictd {

namespace {

using Clock = std::chrono::steady_clock;

struct Database {
  int number = 0;
  std::string name;         // the group's file base
  std::string description;  // its own name, UTF-8
  DictGroupRecord record;
  LoadedGroup group;
  std::unique_ptr<SuggestionIndex> index;
  bool fullTextReady = false;
};

struct Strategy {
  const char* name;
  const char* description;
};
constexpr Strategy kStrategies[] = {
    {"exact", "Match headwords exactly"},
    {"prefix", "Match prefixes"},
    {"nearest", "The headword the input box would select"},
    {"suggest", "Words as typed without their marks, in another alphabet, inflected or misspelt"},
    {"substring", "Match substring occurring anywhere in a headword"},
    {"suffix", "Match suffixes"},
    {"re", "POSIX extended regular expression"},
    {"lev", "Match headwords within Levenshtein distance one"},
    {"fulltext", "Words of the articles (full-text index)"},
};
constexpr const char* kDefaultStrategy = "lev";

std::string Line(std::string_view text) { return std::string(text) + "\r\n"; }

std::string Upper(std::string_view word) {
  std::string s(word);
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// The text lines of a reply, dot-stuffed, ended by the "." line.
std::string TextBlock(std::string_view text) {
  std::string out;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && line.front() == '.') out += '.';
    out += line;
    out += "\r\n";
    start = end + 1;
  }
  out += ".\r\n";
  return out;
}

std::string MimeHeader(const ConnectionState& state) {
  if (!state.mime) return {};
  return std::string("Content-type: ") + (state.html ? "text/html" : "text/plain") +
         "; charset=utf-8\r\nContent-transfer-encoding: 8bit\r\n\r\n";
}

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

bool ValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    if (c < 0x80) n = 0;
    else if ((c & 0xE0) == 0xC0 && c >= 0xC2) n = 1;
    else if ((c & 0xF0) == 0xE0) n = 2;
    else if ((c & 0xF8) == 0xF0 && c <= 0xF4) n = 3;
    else return false;
    if (s.size() - i <= n) return false;
    for (std::size_t k = 1; k <= n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    // No overlong forms, no surrogates, nothing past U+10FFFF.
    const auto second = static_cast<unsigned char>(n > 0 ? s[i + 1] : 0);
    if (c == 0xE0 && second < 0xA0) return false;
    if (c == 0xED && second >= 0xA0) return false;
    if (c == 0xF0 && second < 0x90) return false;
    if (c == 0xF4 && second >= 0x90) return false;
    i += n + 1;
  }
  return true;
}

}  // namespace

namespace {

bool IsControl(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u < 0x20 && u != '\t') || u == 0x7F;
}

}  // namespace

bool SplitCommand(std::string_view line, std::vector<std::string>& words) {
  words.clear();
  std::size_t i = 0;
  while (i < line.size()) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c == ' ' || c == '\t') {
      ++i;
      continue;
    }
    std::string word;
    while (i < line.size()) {
      const auto d = static_cast<unsigned char>(line[i]);
      if (d < 0x20 && d != '\t') return false;
      if (d == 0x7F) return false;
      if (d == ' ' || d == '\t') break;
      if (d == '"' || d == '\'') {
        const char quote = line[i++];
        bool closed = false;
        while (i < line.size()) {
          const auto e = static_cast<unsigned char>(line[i]);
          if (e < 0x20 || e == 0x7F) return false;
          if (line[i] == '\\' && i + 1 < line.size()) {
            if (IsControl(line[i + 1])) return false;
            word += line[i + 1];
            i += 2;
            continue;
          }
          if (line[i] == quote) {
            closed = true;
            ++i;
            break;
          }
          word += line[i++];
        }
        if (!closed) return false;
        continue;
      }
      if (d == '\\' && i + 1 < line.size()) {
        if (IsControl(line[i + 1])) return false;
        word += line[i + 1];
        i += 2;
        continue;
      }
      word += line[i++];
    }
    words.push_back(std::move(word));
  }
  return true;
}

struct DictService::Impl {
  ServiceOptions options;
  std::filesystem::path dir;
  std::vector<Database> databases;

  const Database* Find(std::string_view name) const {
    for (const Database& d : databases)
      if (d.name == name) return &d;
    return nullptr;
  }
  std::string Headword(const Database& d, std::size_t row) const {
    return Utf16ToUtf8(Trim(ToUnicode(d.group.entries[row].Display(), d.group.codePage)));
  }
  std::vector<std::uint32_t> Match(const Database& d, std::string_view strategy, std::string_view word) const;
  std::string Definition(const Database& d, std::size_t row, const ConnectionState& state) const;
};

namespace {

// The rows whose sort keys begin with the key: from the first headword not
// before it, while they begin with it.
std::vector<std::uint32_t> PrefixRows(const LoadedGroup& g, std::string_view key) {
  const Collation flavour = CollationFor(g.codePage);
  const std::size_t n = g.entries.size();
  std::size_t lo = 0, hi = n;
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (CompareHeadwords(g.entries[mid].SortKey(), key, flavour) < 0) lo = mid + 1;
    else hi = mid;
  }
  std::vector<std::uint32_t> rows;
  for (std::size_t row = lo; row < n && g.entries[row].SortKey().substr(0, key.size()) == key; ++row)
    rows.push_back(static_cast<std::uint32_t>(row));
  return rows;
}

}  // namespace

std::vector<std::uint32_t> DictService::Impl::Match(const Database& d, std::string_view strategy,
                                                    std::string_view word) const {
  std::vector<std::uint32_t> rows;
  const LoadedGroup& g = d.group;
  if (g.entries.empty()) return rows;
  const std::u16string typed = Utf8ToUtf16(word);
  const std::string key = LookupKey(typed, g.codePage);
  const std::size_t n = g.entries.size();
  if (strategy == "exact") {
    rows = ExactRows(key, g);
    // Homonyms numbered in their headwords ("bank 1", "bank 2") are the word too.
    const std::string numbered = key + ' ';
    for (std::uint32_t row : PrefixRows(g, numbered)) {
      const std::string_view rest = g.entries[row].SortKey().substr(numbered.size());
      if (!rest.empty() && std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; }))
        rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
  } else if (strategy == "prefix") {
    if (key.empty()) return rows;
    rows = PrefixRows(g, key);
  } else if (strategy == "nearest") {
    rows.push_back(static_cast<std::uint32_t>(Lookup(key, g, nullptr)));
  } else if (strategy == "suggest") {
    if (d.index)
      for (const Suggestion& s : d.index->Suggest(typed, g, 10)) rows.push_back(static_cast<std::uint32_t>(s.row));
  } else if (strategy == "substring" || strategy == "suffix") {
    if (key.empty()) return rows;
    const bool suffix = strategy == "suffix";
    for (std::size_t row = 0; row < n; ++row) {
      const std::string_view k = g.entries[row].SortKey();
      const bool hit = suffix ? (k.size() >= key.size() && k.substr(k.size() - key.size()) == key)
                              : k.find(key) != std::string_view::npos;
      if (hit) rows.push_back(static_cast<std::uint32_t>(row));
    }
  } else if (strategy == "lev") {
    if (d.index && !Trim(typed).empty()) rows = d.index->RowsNear(Trim(typed), 1);
    std::sort(rows.begin(), rows.end());
  } else if (strategy == "re") {
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(word.data()), word.size(),
                                     PCRE2_UTF | PCRE2_UCP | PCRE2_CASELESS, &error, &offset, nullptr);
    if (!code) return rows;
    pcre2_match_context* context = pcre2_match_context_create(nullptr);
    pcre2_set_match_limit(context, 100000);
    pcre2_match_data* data = pcre2_match_data_create_from_pattern(code, nullptr);
    const auto deadline = Clock::now() + options.regexTimeLimit;
    for (std::size_t row = 0; row < n; ++row) {
      if ((row & 1023) == 0 && Clock::now() > deadline) break;
      const std::string h = Headword(d, row);
      if (pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(h.data()), h.size(), 0, 0, data, context) >= 0)
        rows.push_back(static_cast<std::uint32_t>(row));
    }
    pcre2_match_data_free(data);
    pcre2_match_context_free(context);
    pcre2_code_free(code);
  } else if (strategy == "fulltext") {
    if (!d.fullTextReady || Trim(typed).empty()) return rows;
    SearchProgressState progress;
    for (const SearchResultRecord& result : SearchGroupIndex(dir, d.record, g, Trim(typed), progress)) {
      const int entry = ResultEntry(g, result);
      if (entry >= 0) rows.push_back(static_cast<std::uint32_t>(entry));
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  }
  if (rows.size() > options.maxMatches) rows.resize(options.maxMatches);
  return rows;
}

std::string DictService::Impl::Definition(const Database& d, std::size_t row, const ConnectionState& state) const {
  const std::string article = ReadArticleText(d.group, static_cast<int>(row));
  std::string text = ArticlePlainText(article);
  if (state.html) {
    // One paragraph a line: text lines stay short.
    text = ArticleHtml(article);
    for (std::size_t at = 0; (at = text.find("</div>", at)) != std::string::npos; at += 7) text.insert(at + 6, "\n");
  }
  return "151 " + Quoted(Headword(d, row)) + " " + d.name + " " + Quoted(d.description) + "\r\n" +
         MimeHeader(state) + TextBlock(text);
}

DictService::DictService(const std::filesystem::path& programDir, ServiceOptions options)
    : impl_(std::make_unique<Impl>()) {
  impl_->options = options;
  impl_->dir = programDir;
  const GroupTableState state = LoadGroupTable(programDir);
  for (int g : state.available) {
    if (!state.table.Valid(g)) continue;
    Database d;
    d.number = g;
    d.record = state.table.Group(g);
    d.name = std::string(d.record.BaseName());
    d.description = Utf16ToUtf8(GroupOwnName(d.record));
    d.group = LoadGroup(programDir, state.table, g, d.record.Enabled());
    if (d.group.entries.empty()) continue;
    const HeadwordLanguage language = HeadwordLanguageOfBase(d.name);
    d.index = std::make_unique<SuggestionIndex>(d.group, language, nullptr, true);
    d.fullTextReady = CheckIndexFiles(programDir, d.record, d.group).empty();
    impl_->databases.push_back(std::move(d));
  }
}

DictService::~DictService() = default;

std::size_t DictService::DatabaseCount() const { return impl_->databases.size(); }

std::string DictService::Banner(std::string_view messageId) const {
  return "220 lexmora-dictd <mime> " + std::string(messageId) + "\r\n";
}

bool DictService::IsSearch(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  std::size_t j = i;
  while (j < line.size() && line[j] != ' ' && line[j] != '\t') ++j;
  const std::string verb = Upper(line.substr(i, j - i));
  return verb == "DEFINE" || verb == "D" || verb == "MATCH" || verb == "M";
}

Reply DictService::Respond(std::string_view line, ConnectionState& state) const {
  Reply reply;
  std::vector<std::string> words;
  if (line.size() > kMaxLine) return {Line("500 line too long"), true};
  if (!ValidUtf8(line) || !SplitCommand(line, words)) return {Line("500 Syntax error, command not recognized"), false};
  if (words.empty()) return {Line("500 Syntax error, command not recognized"), false};
  const std::string verb = Upper(words[0]);
  const auto& dbs = impl_->databases;
  auto wrongArgs = [] { return Reply{Line("501 Syntax error, illegal parameters"), false}; };

  if (verb == "QUIT") return {Line("221 Closing Connection"), true};
  if (verb == "CLIENT") {
    if (words.size() < 2) return wrongArgs();
    state.client = words[1];
    return {Line("250 ok"), false};
  }
  if (verb == "STATUS") return {Line("210 status: " + std::to_string(dbs.size()) + " databases"), false};
  if (verb == "HELP") {
    return {Line("113 help text follows") +
                TextBlock("DEFINE database word         -- look up word in database\n"
                          "MATCH database strategy word -- match word in database using strategy\n"
                          "SHOW DB                      -- list all accessible databases\n"
                          "SHOW STRAT                   -- list available matching strategies\n"
                          "SHOW INFO database           -- provide information about the database\n"
                          "SHOW SERVER                  -- provide site-specific information\n"
                          "OPTION MIME [text/html]      -- use MIME headers (and HTML definitions)\n"
                          "CLIENT info                  -- identify client to server\n"
                          "STATUS                       -- display timing information\n"
                          "HELP                         -- display this help information\n"
                          "QUIT                         -- terminate connection\n") +
                Line("250 ok"),
            false};
  }
  if (verb == "OPTION") {
    if (words.size() < 2 || Upper(words[1]) != "MIME") return {Line("501 Syntax error, illegal parameters"), false};
    if (words.size() > 2 && words[2] != "text/html" && words[2] != "text/plain") return wrongArgs();
    state.mime = true;
    state.html = words.size() > 2 && words[2] == "text/html";
    return {Line("250 ok - using MIME headers"), false};
  }
  if (verb == "SHOW") {
    if (words.size() < 2) return wrongArgs();
    const std::string what = Upper(words[1]);
    if (what == "DB" || what == "DATABASES") {
      if (dbs.empty()) return {Line("554 No databases present"), false};
      std::string text;
      for (const auto& d : dbs) text += d.name + " " + Quoted(d.description) + "\n";
      return {Line("110 " + std::to_string(dbs.size()) + " databases present") + MimeHeader(state) + TextBlock(text) +
                  Line("250 ok"),
              false};
    }
    if (what == "STRAT" || what == "STRATEGIES") {
      std::string text;
      for (const Strategy& s : kStrategies) text += std::string(s.name) + " " + Quoted(s.description) + "\n";
      return {Line("111 " + std::to_string(std::size(kStrategies)) + " strategies available") + MimeHeader(state) +
                  TextBlock(text) + Line("250 ok"),
              false};
    }
    if (what == "INFO") {
      if (words.size() < 3) return wrongArgs();
      const Database* d = impl_->Find(words[2]);
      if (!d) return {Line("550 Invalid database, use \"SHOW DB\" for list of databases"), false};
      std::string text = d->description + "\n\nHeadwords: " + std::to_string(d->group.EntryCount()) +
                         "\nSub-dictionaries: " + std::to_string(d->group.headers.size()) +
                         "\nFull-text index: " + (d->fullTextReady ? "complete" : "not built") + "\n";
      return {Line("112 database information follows") + MimeHeader(state) + TextBlock(text) + Line("250 ok"), false};
    }
    if (what == "SERVER") {
      return {Line("114 server information follows") + MimeHeader(state) +
                  TextBlock("lexmora-dictd: the dictionaries of a Lexmora program folder\n" +
                            std::to_string(dbs.size()) + " databases\n") +
                  Line("250 ok"),
              false};
    }
    return wrongArgs();
  }
  if (verb == "DEFINE" || verb == "D") {
    if (words.size() != 3) return wrongArgs();
    const std::string& db = words[1];
    if (db != "*" && db != "!" && !impl_->Find(db)) return {Line("550 Invalid database, use \"SHOW DB\" for list of databases"), false};
    std::string body;
    std::size_t count = 0;
    for (const Database& d : dbs) {
      if (db != "*" && db != "!" && d.name != db) continue;
      const auto rows = impl_->Match(d, "exact", words[2]);
      for (std::uint32_t row : rows) body += impl_->Definition(d, row, state);
      count += rows.size();
      if (db == "!" && !rows.empty()) break;
    }
    if (count == 0) return {Line("552 No match"), false};
    return {Line("150 " + std::to_string(count) + " definitions retrieved") + body + Line("250 ok"), false};
  }
  if (verb == "MATCH" || verb == "M") {
    if (words.size() != 4) return wrongArgs();
    const std::string& db = words[1];
    std::string strategy = words[2] == "." ? kDefaultStrategy : words[2];
    for (char& c : strategy) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (db != "*" && db != "!" && !impl_->Find(db)) return {Line("550 Invalid database, use \"SHOW DB\" for list of databases"), false};
    if (std::none_of(std::begin(kStrategies), std::end(kStrategies), [&](const Strategy& s) { return strategy == s.name; }))
      return {Line("551 Invalid strategy, use \"SHOW STRAT\" for a list of strategies"), false};
    std::string text;
    std::size_t count = 0;
    for (const Database& d : dbs) {
      if (db != "*" && db != "!" && d.name != db) continue;
      std::vector<std::string> seen;  // homonyms are one match
      for (std::uint32_t row : impl_->Match(d, strategy, words[3])) {
        std::string h = impl_->Headword(d, row);
        if (std::find(seen.begin(), seen.end(), h) != seen.end()) continue;
        text += d.name + " " + Quoted(h) + "\n";
        seen.push_back(std::move(h));
      }
      count += seen.size();
      if (db == "!" && !seen.empty()) break;
    }
    if (count == 0) return {Line("552 No match"), false};
    return {Line("152 " + std::to_string(count) + " matches found") + MimeHeader(state) + TextBlock(text) + Line("250 ok"),
            false};
  }
  if (verb == "AUTH" || verb == "SASLAUTH" || verb == "SASLRESP") return {Line("502 Command not implemented"), false};
  return {Line("500 Syntax error, command not recognized"), false};
}

}  // namespace lexmora::dictd
