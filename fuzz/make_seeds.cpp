// Writes a small seed corpus for every fuzz target:
//   lexmora_fuzz_seeds OUT_DIR
// creates OUT_DIR/<target>/seed-N files made with the program's own writers.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "dictionary/dict_group_record.h"
#include "dictionary/file_io.h"
#include "dictionary/file_names.h"
#include "dictionary/group_writer.h"
#include "fuzz_support.h"
#include "game/picture_base_writer.h"
#include "lists/notepad_file.h"
#include "text/code_page.h"

using namespace lexmora;
using namespace lexmora::fuzz;

namespace {

void Save(const fs::path& out, const std::string& target, const std::vector<std::string>& seeds) {
  fs::create_directories(out / target);
  for (std::size_t i = 0; i < seeds.size(); ++i) WriteFile(out / target / ("seed-" + std::to_string(i)), seeds[i]);
  std::printf("%s: %zu seeds\n", target.c_str(), seeds.size());
}

// A string literal with its embedded zero bytes.
template <std::size_t N>
std::string Bytes(const char (&s)[N]) {
  return std::string(s, N - 1);
}

std::string Cp(const char16_t* text, int cp) { return FromUnicode(text, cp); }

// Writes a two-sub-dictionary group and returns its word index and first
// article base.
std::pair<std::string, std::string> SmallGroup(const fs::path& dir, const std::string& base, int cp,
                                               const std::vector<std::u16string>& words) {
  std::vector<SourceSubDict> subs(2);
  for (int s = 0; s < 2; ++s) {
    subs[static_cast<std::size_t>(s)].header.SetNumber(s);
    subs[static_cast<std::size_t>(s)].header.SetName(MakeLanguageText({"\xC0\xE7", "Words", "", "", ""}));
    for (std::size_t i = 0; i < words.size(); ++i) {
      if (static_cast<int>(i % 2) != s && i % 3 != 0) continue;
      SourceEntry e;
      e.display = FromUnicode(words[i], cp);
      e.article = SampleArticle(static_cast<int>(i));
      subs[static_cast<std::size_t>(s)].entries.push_back(e);
    }
  }
  GroupWriteResult r = WriteGroupFiles(dir, base, cp, subs);
  if (!r.ok) {
    std::fprintf(stderr, "%s\n", r.error.c_str());
    std::exit(1);
  }
  return {*ReadWholeFile(WordIndexPath(dir, base)), *ReadWholeFile(ArticleBasePath(dir, base, 0))};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT_DIR\n", argv[0]);
    return 2;
  }
  const fs::path out = argv[1];
  const fs::path work = ProgramFolder();

  GroupTable builtIn = BuiltInGroupTable();
  std::string all = SerializeGroupTable(builtIn);
  GroupTable three = builtIn;
  three.count = 3;
  three.Group(2).SetBitmap(std::string("BM") + std::string(200, '\x7F'));
  Save(out, "fuzz_group_table", {all, SerializeGroupTable(three), all.substr(0, 4219), all + all.substr(0, 100)});

  const std::vector<std::u16string> english = {u"apple", u"Apple", u"apply", u"bank", u"bank", u"zebra",
                                               u"a", u"ab", u"abc", u"\u00e9t\u00e9"};
  const std::vector<std::u16string> azeri = {u"\u0259l", u"alma", u"\u00e7ay", u"d\u0259niz", u"\u0131\u015f\u0131q",
                                             u"i\u015f", u"\u015f\u0259h\u0259r", u"w\u0259", u"\u00fcz\u00fcm"};
  const std::vector<std::u16string> russian = {u"\u0451\u0436", u"\u0430\u0437", u"\u044f\u0431\u043b\u043e\u043a\u043e"};
  auto [wifEa, wbfEa] = SmallGroup(work, "vcl_ea", 1250, english);
  auto [wifAe, wbfAe] = SmallGroup(work, "vcl_ae", 1254, azeri);
  auto [wifRa, wbfRa] = SmallGroup(work, "vcl_ra", 1251, russian);
  Save(out, "fuzz_word_index",
       {Bytes("\x00\x03") + wifEa, Bytes("\x01\x01") + wifAe, Bytes("\x06\x83") + wifRa,
        Bytes("\x00\xFF") + wifEa.substr(0, 49 + 76 * 2 + 27)});

  Save(out, "fuzz_article_base", {wbfEa, wbfAe, ArticleBaseImage(0, 4, 8), ArticleBaseImage(17, 2, 1),
                                  wbfRa.substr(0, 7000)});

  std::vector<std::string> markup;
  for (int i = 0; i < 4; ++i) markup.push_back(SampleArticle(i));
  markup.push_back("\r\n\r\nx");
  markup.push_back(Bytes("w\x01\x04\x8F\x01rd"));
  markup.push_back(Bytes("\x01\x02\x03\x00indented\x01\x01\x15\x00same"));
  markup.push_back(Bytes("end\x01\x04"));
  Save(out, "fuzz_markup", markup);

  Save(out, "fuzz_text", {"ABCabc", Cp(u"\u0259\u018f\u0131\u0130\u015f\u015e\u00e7\u011f", 1254),
                          "\xC7" "D", "ES\xAB\x8D", "  word\t", Bytes("\x8F\x01\x59\x02\x00\xD8")});

  // DICT command lines; the group of the target's second service has the
  // headwords a0..n0, a1..e1 and a3..f3.
  Save(out, "fuzz_dict_command",
       {"DEFINE vcl_ea a0", "d * \"b3\"", "MATCH vcl_ea prefix a", "MATCH * re '^[a-c][0-9]$'", "m vcl_ea lev a9",
        "MATCH ! suggest 'a 0'", "MATCH * substring 0", "MATCH vcl_ea fulltext word", "SHOW DB", "SHOW STRAT",
        "SHOW INFO vcl_ea", "SHOW SERVER", "OPTION MIME", "CLIENT \"fuzz \\\"x\\\"\"", "HELP", "STATUS", "QUIT",
        "AUTH user 0123", "DEFINE vcl_ea \"unterminated", "define\tvcl_ea\t'c0'", ""});

  // List files of the fuzz target's own group (written in a folder of its
  // own: it is group 1 too).
  const LoadedGroup listGroup = ListFileGroup(work / "lists");
  NotepadARRAY listMarks(listGroup.entries.size(), 0);
  for (std::size_t i = 0; i < listMarks.size(); i += 3) listMarks[i] = i % 2 ? 1 : 255;
  const std::string list = NotepadFileImage(listGroup, listMarks);
  // Lengths far beyond the file: the first section, one after the group's
  // and the last, with a few bytes of marks behind the head.
  std::string huge = list;
  auto* lengths = reinterpret_cast<std::uint8_t*>(huge.data()) + 17;
  PutU32(lengths + 4 * 0, 0xFFFFFFF0u);
  PutU32(lengths + 4 * 7, 0x7FFFFFFFu);
  PutU32(lengths + 4 * 255, 0xFFFFFFFFu);
  std::string otherGroup = list;
  otherGroup[16] = 5;
  Save(out, "fuzz_list_file", {list, huge, list.substr(0, kListFileHeadSize + 9), list.substr(0, kListFileHeadSize),
                               otherGroup});
  // Picture bases: two bytes of index length, the index, the data.
  auto base = [](const PictureBaseImage& image) {
    std::string s(2, '\0');
    PutU16(reinterpret_cast<std::uint8_t*>(s.data()), static_cast<std::uint16_t>(image.index.size()));
    return s + image.index + image.data;
  };
  std::string bitmap = Bytes("BM\x46\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x02\0\0\0\x02\0\0\0\x01\0\x18\0");
  bitmap += std::string(70 - bitmap.size(), '\0');
  const std::string jpeg = Bytes("\xFF\xD8\xFF\xE0\0\x04JF\xFF\xC0\0\x0B\x08\x01\x2C\x02\x26\x01\x01\x11\0\xFF\xD9");
  RegionPictureSource first;
  first.borderColour = 0x00102030;
  first.transparentColour = 0x00FF00FF;
  first.points = {{0, 0}, {1, 1}, {-5, 70000}};
  first.picture = bitmap;
  RegionPictureSource second;
  second.type = kPictureTypeJpeg;
  second.points = {{3, 4}};
  second.regionCount = 0xFFFFFFFFu;
  second.picture = jpeg;
  const std::string pictures = base(*RegionPictureBaseImage({first, second}));
  const std::string backgrounds = base(*BackgroundBaseImage({{kPictureTypeJpeg, jpeg}, {kPictureTypeBitmap, bitmap}, {5, "x"}}));
  // A record claiming far more than the file holds.
  std::string hugePicture = pictures;
  auto* record = reinterpret_cast<std::uint8_t*>(hugePicture.data()) + 2;
  XorBytes(record, RegionPictureRecord::kSize, DataKey);
  PutU32(record + 17, 0xFFFFFFF0u);
  XorBytes(record, RegionPictureRecord::kSize, DataKey);
  Save(out, "fuzz_picture_bases",
       {pictures, backgrounds, hugePicture, pictures.substr(0, pictures.size() - 3), bitmap, jpeg});
  return 0;
}
