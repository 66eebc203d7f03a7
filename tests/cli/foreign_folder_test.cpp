// A program folder whose files are put together byte by byte from the
// documented layouts, as another tool would write them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "cli_test_support.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

using test::RunCliArgs;

void Put32(std::string& s, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
}

void PutShort(std::string& s, std::size_t at, const std::string& text) {
  s[at] = static_cast<char>(text.size());
  s.replace(at + 1, text.size(), text);
}

std::string Scrambled(std::string s) {
  for (char& c : s) c = static_cast<char>(c ^ 0x9D);
  return s;
}

TEST(ForeignFolder, HandMadeFilesLoadThroughEveryCommand) {
  test::TempDir dir;
  // groups.dgi: one record, group 1 "ru" with base "tst", code page 1251,
  // sub-dictionary 3 enabled.
  std::string dgi(4220, '\0');
  PutShort(dgi, 0, "\xD0\xF3\xF1");  // letter code: Rus
  PutShort(dgi, 61, "tst");
  dgi[123] = 0x08;
  Put32(dgi, 196, 1251);
  PutShort(dgi, 200, "00000419");
  dir.Write("groups.dgi", dgi);

  // Article base of sub-dictionary 3.
  std::string wbf(7295, '\0');
  PutShort(wbf, 77, std::string("\0\2Hand made", 11));
  Put32(wbf, 278, 2);
  wbf[290] = 3;
  const std::string a1 = "\x01\x01\x12\xFF\xE4\xEE\xEC\r\n\x01\x02\x01\xFF\x01\x01\x09\xFF" "ev";
  const std::string a2 = "\x01\x01\x0B\xFF\xEA\xEE\xF2";
  wbf += Scrambled(a2) + Scrambled(a1);  // articles in any order
  dir.Write("DICT/tst003.wbf", wbf);

  // Word index: header with sub-dictionary 3, then two sorted records.
  std::string wif(49, '\0');
  wif[16] = 3;
  wif[17] = 0x08;
  auto record = [](const std::string& display, const std::string& key, std::uint32_t offset, std::uint32_t length) {
    std::string r(76, '\0');
    PutShort(r, 0, display);
    PutShort(r, 31, key);
    Put32(r, 64, offset);
    Put32(r, 68, length);
    r[72] = 3;
    return r;
  };
  wif += Scrambled(record("\xE4\xEE\xEC", "\xC4\xCE\xCC", static_cast<std::uint32_t>(a2.size()),
                          static_cast<std::uint32_t>(a1.size())) +
                   record("\xEA\xEE\xF2", "\xCA\xCE\xD2", 0, static_cast<std::uint32_t>(a2.size())));
  dir.Write("DICT/tst.wif", wif);

  const std::string d = dir.path().string();
  auto groups = RunCliArgs({"--dir", d, "groups", "--json"});
  ASSERT_EQ(groups.code, 0) << groups.err;
  EXPECT_EQ(groups.out,
            R"({"groups":[{"number":1,"base":"tst","name":"Rus","codepage":1251,"available":true,"entries":2,)"
            R"("subdicts":[{"number":3,"name":"Hand made","entries":2,"enabled":true}]}]})"
            "\n");
  auto list = RunCliArgs({"--dir", d, "list", "1"});
  EXPECT_EQ(list.out, "0\tдом\t3\n1\tкот\t3\n");
  EXPECT_EQ(RunCliArgs({"--dir", d, "lookup", "1", "Ко"}).out, "1\tкот\n");
  EXPECT_EQ(RunCliArgs({"--dir", d, "lookup", "1", "д"}).out, "0\tдом\n");
  auto article = RunCliArgs({"--dir", d, "article", "1", "0", "--json"});
  EXPECT_NE(article.out.find(R"("text":"дом","style":18)"), std::string::npos) << article.out;
  EXPECT_NE(article.out.find(R"("text":"ev","style":9,"new_paragraph":true)"), std::string::npos);
  EXPECT_EQ(RunCliArgs({"--dir", d, "article", "1", "1"}).out, "кот\n");
}

}  // namespace
}  // namespace lexmora
