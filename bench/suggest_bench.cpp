// Suggestions on a real, large group, each figure against a baseline
// measured in the same run:
//   - making the suggestion index against LoadGroup of the same group;
//   - its memory against the size of the group's word index file (.wif);
//   - the suggestions for every prefix of typed words (one keystroke each,
//     as the window asks for them) against the type-ahead lookup of the
//     same prefixes.
//
//   LEXMORA_BENCH_DIR=<program folder> [LEXMORA_BENCH_GROUP=1] lexmora_suggest_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "dictionary/loaded_group.h"
#include "dictionary/lookup.h"
#include "session/session.h"
#include "suggest/hunspell_stems.h"
#include "suggest/suggestion_index.h"
#include "text/code_page.h"

using namespace lexmora;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Stats {
  double median, p99, max;
};
Stats Summarise(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return {v[v.size() / 2], v[std::min(v.size() - 1, v.size() * 99 / 100)], v.back()};
}

}  // namespace

int main() {
  const char* dir = std::getenv("LEXMORA_BENCH_DIR");
  if (dir == nullptr || *dir == '\0') {
    std::fprintf(stderr, "LEXMORA_BENCH_DIR is not set: point it at a program folder (see bench/prepare_freedict.sh)\n");
    return 2;
  }
  const int g = std::getenv("LEXMORA_BENCH_GROUP") ? std::atoi(std::getenv("LEXMORA_BENCH_GROUP")) : 1;
  const GroupTableState state = LoadGroupTable(dir);
  if (!state.table.Valid(g)) return 2;
  const DictGroupRecord& record = state.table.Group(g);
  const HeadwordLanguage language = HeadwordLanguageOfBase(record.BaseName());

  // The stemmer is loaded once per process; its load is counted apart.
  auto t0 = Clock::now();
  auto stemmer = SharedStemmer(language);
  const double stemmerMs = Ms(Clock::now() - t0);

  std::vector<double> loads, builds;
  LoadedGroup group;
  std::shared_ptr<const SuggestionIndex> index;
  for (int i = 0; i < 5; ++i) {
    t0 = Clock::now();
    group = LoadGroup(dir, state.table, g, record.Enabled());
    loads.push_back(Ms(Clock::now() - t0));
    t0 = Clock::now();
    index = std::make_shared<const SuggestionIndex>(group, language, stemmer);
    builds.push_back(Ms(Clock::now() - t0));
  }
  const double load = Summarise(loads).median, build = Summarise(builds).median;
  std::error_code ec;
  const auto wif = std::filesystem::file_size(group.wordIndexFile, ec);
  std::printf("group %d: %d rows, %zu keys\n", g, group.EntryCount(), index->KeyCount());
  std::printf("stemmer load %.1f ms (once per process)\n", stemmerMs);
  std::printf("index made in %.1f ms (median of 5); LoadGroup %.1f ms: %.2fx\n", build, load, build / load);
  std::printf("index memory %.1f MB; .wif %.1f MB: %.2fx\n", index->MemoryBytes() / 1e6, wif / 1e6,
              static_cast<double>(index->MemoryBytes()) / static_cast<double>(wif));

  // Words typed letter by letter: right ones, misspelt, inflected.
  const char* words[] = {"house",      "houses",    "huose",       "recieve",   "accomodation", "beleive",
                         "studies",    "running",   "computer",    "compter",   "wednesday",   "definately",
                         "yesterday",  "light",     "ligth",       "mother",    "mothers",     "neccessary",
                         "abandoned",  "quickly",   "xylophone",   "zebra",     "garden",      "gardens",
                         "umbrella",   "umbrela",   "violin",      "vilin",     "nation",      "nations"};
  std::vector<double> suggest, lookup;
  std::size_t offered = 0;
  for (int pass = 0; pass < 3; ++pass) {
    for (const char* word : words) {
      const std::string w(word);
      for (std::size_t n = 1; n <= w.size(); ++n) {
        const std::u16string typed = Utf8ToUtf16(w.substr(0, n));
        t0 = Clock::now();
        const auto found = index->Suggest(typed, group, 5);
        suggest.push_back(Ms(Clock::now() - t0));
        t0 = Clock::now();
        volatile int row = ListWordChanged(typed, group, nullptr);
        (void)row;
        lookup.push_back(Ms(Clock::now() - t0));
        if (pass == 0 && n == w.size()) {
          offered += !found.empty();
          std::printf("  %-13s ->", word);
          for (const Suggestion& s : found)
            std::printf(" %s(%s)", Utf16ToUtf8(ToUnicode(group.entries[static_cast<std::size_t>(s.row)].Display(), group.codePage)).c_str(),
                        SuggestionKindName(s.how));
          std::printf("\n");
        }
      }
    }
  }
  const Stats s = Summarise(suggest), l = Summarise(lookup);
  std::printf("suggestions per keystroke (%zu): median %.3f ms, 99th %.3f ms, max %.3f ms\n", suggest.size(), s.median,
              s.p99, s.max);
  std::printf("type-ahead per keystroke:        median %.4f ms, 99th %.4f ms: suggestions %.0fx the type-ahead\n",
              l.median, l.p99, s.median / l.median);
  std::printf("words with a suggestion: %zu of %zu\n", offered, std::size(words));
  return 0;
}
