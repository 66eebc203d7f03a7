// Compares the StarDict reader with sdcv, the console StarDict program:
//
//   stardict-vs-sdcv IFO [COUNT=100] [SEED=1]
//
// reads the dictionary with ReadStarDict, picks COUNT distinct headwords at
// random, asks sdcv for each and compares the article text it prints with
// the imported article's text without its head line, runs of white space
// collapsed on both sides. Prints each mismatch and their count; exits 0
// when all match, 1 otherwise, 77 when sdcv or the file is missing.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "article/article_text.h"
#include "import/stardict_reader.h"
#include "text/code_page.h"

namespace fs = std::filesystem;
using namespace lexmora;

namespace {

constexpr int kSkipped = 77;

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string_view rest = path ? path : "/usr/bin:/bin";
  while (!rest.empty()) {
    const std::size_t colon = rest.find(':');
    const fs::path candidate = fs::path(std::string(rest.substr(0, colon))) / program;
    if (::access(candidate.c_str(), X_OK) == 0) return true;
    rest.remove_prefix(colon == std::string_view::npos ? rest.size() : colon + 1);
  }
  return false;
}

// What a program prints on its standard output; the words go to it as they
// are, without a shell.
std::string Run(const std::vector<std::string>& args) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    ::dup2(pipeFds[1], STDOUT_FILENO);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    ::setenv("LC_ALL", "C.UTF-8", 1);  // sdcv prints in the locale's encoding
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    std::_Exit(127);
  }
  ::close(pipeFds[1]);
  std::string out;
  char buffer[65536];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<std::size_t>(n));
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return out;
}

std::string Collapsed(std::string_view text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      blank = true;
      continue;
    }
    if (blank && !out.empty()) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

// The articles sdcv prints for one book: each after a "-->book" line and a
// "-->word" line, up to the next such pair.
std::vector<std::string> SdcvArticles(const std::string& output, const std::string& book) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at <= output.size();) {
    const std::size_t end = output.find('\n', at);
    lines.push_back(output.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (end == std::string::npos) break;
    at = end + 1;
  }
  std::vector<std::string> articles;
  bool inArticle = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == "-->" + book && i + 1 < lines.size() && lines[i + 1].rfind("-->", 0) == 0) {
      articles.emplace_back();
      inArticle = true;
      ++i;
    } else if (inArticle) {
      articles.back() += lines[i] + '\n';
    }
  }
  for (std::string& a : articles) a = Collapsed(a);
  return articles;
}

std::string ImportedText(const std::string& article) {
  const std::string text = ArticlePlainText(article);
  const std::size_t headEnd = text.find('\n');
  return Collapsed(headEnd == std::string::npos ? std::string() : text.substr(headEnd + 1));
}

// Where two texts part, with a little of each.
std::string Difference(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  const std::size_t from = i > 30 ? i - 30 : 0;
  return "at character " + std::to_string(i) + ":\n    sdcv:     ..." + a.substr(from, 90) + "\n    imported: ..." +
         b.substr(from, 90);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: stardict-vs-sdcv IFO [COUNT=100] [SEED=1]\n");
    return 2;
  }
  const fs::path ifo = argv[1];
  const std::size_t count = argc > 2 ? std::stoul(argv[2]) : 100;
  const unsigned seed = argc > 3 ? static_cast<unsigned>(std::stoul(argv[3])) : 1;
  std::error_code ec;
  if (!fs::is_regular_file(ifo, ec)) {
    std::printf("%s: missing; skipped\n", ifo.c_str());
    return kSkipped;
  }
  if (!OnPath("sdcv")) {
    std::printf("sdcv is not installed; skipped\n");
    return kSkipped;
  }
  ImportedDictionary dictionary;
  try {
    dictionary = ReadStarDict(ifo, ImportStyles{});
  } catch (const std::exception& e) {
    std::printf("import failed: %s\n", e.what());
    return 1;
  }
  std::map<std::string, std::vector<std::string>> byWord;
  for (const ImportedEntry& e : dictionary.entries) byWord[Utf16ToUtf8(e.headword)].push_back(ImportedText(e.article));
  std::vector<std::string> words;
  for (const auto& [word, articles] : byWord) words.push_back(word);
  std::mt19937 random(seed);
  std::shuffle(words.begin(), words.end(), random);
  words.resize(std::min(count, words.size()));

  const std::string dataDir = fs::absolute(ifo).parent_path().string();
  int mismatches = 0;
  for (const std::string& word : words) {
    std::vector<std::string> theirs =
        SdcvArticles(Run({"sdcv", "-n", "-e", "-u", dictionary.name, "--data-dir", dataDir, word}), dictionary.name);
    std::vector<std::string> ours = byWord[word];
    std::sort(theirs.begin(), theirs.end());
    std::sort(ours.begin(), ours.end());
    if (theirs == ours) continue;
    ++mismatches;
    std::printf("MISMATCH %s: sdcv %zu article(s), imported %zu\n", word.c_str(), theirs.size(), ours.size());
    if (theirs.size() == ours.size()) {
      for (std::size_t i = 0; i < ours.size(); ++i)
        if (theirs[i] != ours[i]) std::printf("  %s\n", Difference(theirs[i], ours[i]).c_str());
    }
  }
  std::printf("%s: %zu words compared, %d mismatch(es)\n", dictionary.name.c_str(), words.size(), mismatches);
  return mismatches == 0 ? 0 : 1;
}
