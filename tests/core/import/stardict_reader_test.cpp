#include "import/stardict_reader.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "article/article_text.h"
#include "support/temp_dir.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

using namespace std::string_literals;

std::string BigEndian(std::uint64_t value, int bytes) {
  std::string s;
  for (int i = bytes - 1; i >= 0; --i) s += static_cast<char>(value >> (8 * i) & 0xFF);
  return s;
}

std::string LittleEndian(std::uint32_t value, int bytes) {
  std::string s;
  for (int i = 0; i < bytes; ++i) s += static_cast<char>(value >> (8 * i) & 0xFF);
  return s;
}

std::string Ifo(std::string_view keys) {
  return "StarDict's dict ifo file\nversion=2.4.2\nbookname=Test book\n" + std::string(keys);
}

struct Word {
  std::string word;
  std::string data;
};

struct Images {
  std::string idx;
  std::string dict;
};

// The .idx and .dict of the words, their data stored in reverse order so
// that the order of the data is not that of the words.
Images Build(const std::vector<Word>& words, int offsetBytes = 4) {
  Images images;
  std::vector<std::uint64_t> offsets(words.size());
  for (std::size_t i = words.size(); i-- > 0;) {
    offsets[i] = images.dict.size();
    images.dict += words[i].data;
  }
  for (std::size_t i = 0; i < words.size(); ++i)
    images.idx += words[i].word + '\0' + BigEndian(offsets[i], offsetBytes) + BigEndian(words[i].data.size(), 4);
  return images;
}

std::string Syn(const std::vector<std::pair<std::string, std::uint32_t>>& synonyms) {
  std::string syn;
  for (const auto& [word, index] : synonyms) syn += word + '\0' + BigEndian(index, 4);
  return syn;
}

std::string Deflate(std::string_view data, int windowBits, int flush) {
  z_stream z{};
  deflateInit2(&z, 9, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, static_cast<uLong>(data.size())) + 64, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, flush);
  out.resize(out.size() - z.avail_out);
  deflateEnd(&z);
  return out;
}

std::string Gzip(std::string_view data) { return Deflate(data, 16 + MAX_WBITS, Z_FINISH); }

// A dictzip image as dictzip writes it: chunks deflated on their own, their
// sizes in the RA subfield, an empty final block, the gzip trailer.
std::string Dictzip(std::string_view data, std::uint32_t chunkLength) {
  std::string body, table;
  std::uint32_t count = 0;
  for (std::size_t at = 0; at < data.size(); at += chunkLength, ++count) {
    const std::string chunk = Deflate(data.substr(at, chunkLength), -MAX_WBITS, Z_FULL_FLUSH);
    table += LittleEndian(static_cast<std::uint32_t>(chunk.size()), 2);
    body += chunk;
  }
  body += std::string("\x03\x00", 2);  // an empty final fixed block
  const std::string ra = LittleEndian(1, 2) + LittleEndian(chunkLength, 2) + LittleEndian(count, 2) + table;
  const std::string extra = "RA" + LittleEndian(static_cast<std::uint32_t>(ra.size()), 2) + ra;
  const auto crc =
      static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
  return std::string("\x1F\x8B\x08\x04\0\0\0\0\x02\x03", 10) +
         LittleEndian(static_cast<std::uint32_t>(extra.size()), 2) + extra + body + LittleEndian(crc, 4) +
         LittleEndian(static_cast<std::uint32_t>(data.size()), 4);
}

std::string Text(const ImportedEntry& entry) { return ArticlePlainText(entry.article, true); }

std::string ErrorOf(const std::function<void()>& read) {
  try {
    read();
  } catch (const ImportError& e) {
    return e.what();
  }
  return "no error";
}

const std::vector<Word> kTypedWords = {
    {"cat", "tk\xC3\xA6t\0ma small\nanimal\0"s}, {"  dog ", "g<b>dog</b> &amp; co\0P"s + BigEndian(3, 4) + "png"},
    {"picture", "P" + BigEndian(2, 4) + "ab"},   {" ", "mtext\0"s},
    {"page", "h<p>one</p>\n<p>two</p>\0"s},     {"kitab", "x<abr>n.</abr> book\0"s},
};

TEST(StarDictReader, ReadsEachFieldOfItsEntries) {
  const Images images = Build(kTypedWords);
  const ImportedDictionary d = ReadStarDictImages(Ifo(""), images.idx, "", images.dict, ImportStyles{});
  EXPECT_EQ(d.name, "Test book");
  ASSERT_EQ(d.entries.size(), 4u);
  EXPECT_EQ(d.entries[0].headword, u"cat");
  EXPECT_EQ(Text(d.entries[0]), "cat [k\u00E6t]\n  a small\n  animal\n");
  EXPECT_EQ(d.entries[1].headword, u"dog");
  EXPECT_EQ(Text(d.entries[1]), "dog\n  dog & co\n");
  EXPECT_EQ(Text(d.entries[2]), "page\n  one\n  two\n");
  EXPECT_EQ(Text(d.entries[3]), "kitab\n  n. book\n");
  ASSERT_EQ(d.skipped.size(), 2u);
  EXPECT_EQ(d.skipped[0].headword, "picture");
  EXPECT_EQ(d.skipped[0].why, "no text, only data of type P");
  EXPECT_EQ(d.skipped[1].why, "empty headword");

  // Version 3.0.0 with 64-bit offsets, and a type sequence: no type letters,
  // the last field takes the rest of the entry.
  const Images wide = Build({{"cat", "k\xC3\xA6t\0text"s}, {"dog", "\0"s}}, 8);
  const ImportedDictionary typed =
      ReadStarDictImages(Ifo("idxoffsetbits=64\nsametypesequence=tm\n"), wide.idx, "", wide.dict, ImportStyles{});
  ASSERT_EQ(typed.entries.size(), 1u);
  EXPECT_EQ(Text(typed.entries[0]), "cat [k\u00E6t]\n  text\n");
  ASSERT_EQ(typed.skipped.size(), 1u);
  EXPECT_EQ(typed.skipped[0].why, "empty article");
}

TEST(StarDictReader, SynonymsShowTheArticleOfTheirWord) {
  const Images images = Build({{"colour", "mhue\0"s}, {"blank", "m \0"s}});
  const ImportedDictionary d =
      ReadStarDictImages(Ifo(""), images.idx, Syn({{"color", 0}, {"void", 1}, {" ", 0}}), images.dict, ImportStyles{});
  ASSERT_EQ(d.entries.size(), 2u);
  EXPECT_EQ(d.entries[1].headword, u"color");
  EXPECT_EQ(d.entries[1].article, d.entries[0].article);
  EXPECT_EQ(Text(d.entries[1]), "colour\n  hue\n");
  ASSERT_EQ(d.skipped.size(), 3u);
  EXPECT_EQ(d.skipped[1].headword, "void");
  EXPECT_EQ(d.skipped[1].why, "its word \"blank\" is left out");
  EXPECT_EQ(d.skipped[2].why, "empty synonym");
}

TEST(StarDictReader, ReadsCompressedFilesAndReportsProgress) {
  std::vector<Word> words;
  for (int i = 0; i < 2500; ++i)
    words.push_back({"w" + std::to_string(i), "mword number " + std::to_string(i) + "\0"s});
  const Images images = Build(words);
  const ImportedDictionary expected = ReadStarDictImages(Ifo(""), images.idx, "", images.dict, ImportStyles{});
  test::TempDir dir;
  dir.Write("d.ifo", Ifo(""));
  dir.Write("d.idx.gz", Gzip(images.idx));
  // Chunks far shorter than the entries, so that most entries span several.
  dir.Write("d.dict.dz", Dictzip(images.dict, 7));
  std::vector<std::uint64_t> done;
  const ImportedDictionary d =
      ReadStarDict(dir.path() / "d.ifo", ImportStyles{}, [&](std::uint64_t n, std::uint64_t total) {
        EXPECT_EQ(total, 2500u);
        done.push_back(n);
        return true;
      });
  ASSERT_EQ(d.entries.size(), expected.entries.size());
  for (std::size_t i = 0; i < d.entries.size(); ++i) EXPECT_EQ(d.entries[i].article, expected.entries[i].article);
  EXPECT_EQ(done, (std::vector<std::uint64_t>{0, 1024, 2048, 2500}));
  EXPECT_THROW(ReadStarDict(dir.path() / "d.ifo", ImportStyles{}, [](std::uint64_t, std::uint64_t) { return false; }),
               ImportCancelled);

  // A .dict.dz without a chunk table is inflated whole.
  dir.Write("d.dict.dz", Gzip(images.dict));
  EXPECT_EQ(ReadStarDict(dir.path() / "d.ifo", ImportStyles{}).entries.back().article, expected.entries.back().article);
  EXPECT_EQ(ProbeStarDict(dir.path() / "d.ifo").name, "Test book");
}

TEST(StarDictReader, PlaysSoundsOfTheResFolderAndOfWavData) {
  const std::string wav = "RIFF" + LittleEndian(4, 4) + "WAVE";
  const std::vector<Word> words = {
      {"one", "rsnd:a.wav\nimg:p.png\nsnd:c.mp3\nsnd:../a.wav\nsnd:b.ogg\0hsay <a href=\"sound://a.wav\">it</a>\0"s},
      {"two", "W" + BigEndian(wav.size(), 4) + wav + "W" + BigEndian(3, 4) + "mp3"},
  };
  const Images images = Build(words);
  test::TempDir dir;
  dir.Write("d/d.ifo", Ifo(""));
  dir.Write("d/d.idx", images.idx);
  dir.Write("d/d.dict", images.dict);
  dir.Write("d/res/a.wav", wav);
  dir.Write("d/res/b.ogg", "OggS....");
  dir.Write("d/res/c.mp3", "ID3.....");
  dir.Write("a.wav", wav);
  const ImportedDictionary d = ReadStarDict(dir.path() / "d/d.ifo", ImportStyles{});
  ASSERT_EQ(d.entries.size(), 2u);
  // Numbered as the data is read: that of "two" comes first.
  EXPECT_EQ(Text(d.entries[0]), "one [sound 2] [sound 3]\n  say [sound 2]it\n");
  EXPECT_EQ(Text(d.entries[1]), "two [sound 1]\n");
  EXPECT_EQ(d.sounds, (std::vector<std::string>{wav, wav, "OggS...."}));
}

TEST(StarDictReader, DamagedFilesThrowNamingThePlace) {
  const Images images = Build({{"cat", "mcat\0"s}, {"dog", "mdog\0"s}});
  auto read = [](std::string ifo, std::string idx, std::string syn, std::string dict) {
    return ErrorOf([&] { ReadStarDictImages(ifo, idx, syn, dict, ImportStyles{}, "x"); });
  };
  EXPECT_EQ(read("StarDict dict\n", images.idx, "", images.dict),
            "x.ifo: not a StarDict .ifo file (its first line is not \"StarDict's dict ifo file\")");
  EXPECT_EQ(read(Ifo("idxoffsetbits=16\n"), images.idx, "", images.dict),
            "x.ifo: line 4: idxoffsetbits is 16, not 32 or 64");
  EXPECT_EQ(read(Ifo(""), images.idx.substr(0, images.idx.size() - 1), "", images.dict),
            "x.idx: entry 2 at byte 12: cut short");
  EXPECT_EQ(read(Ifo(""), images.idx, "", images.dict.substr(0, 9)), "x.idx: entry 1 at byte 0: data beyond x.dict");
  EXPECT_EQ(read(Ifo(""), "cat\0"s + BigEndian(11, 4) + BigEndian(0, 4), "", images.dict),
            "x.idx: entry 1 at byte 0: offset beyond x.dict");
  EXPECT_EQ(read(Ifo(""), images.idx, Syn({{"a", 1}, {"b", 2}}), images.dict),
            "x.syn: entry 2 at byte 6: index 2 beyond the 2 words of x.idx");
  EXPECT_EQ(read(Ifo(""), images.idx, "",
                 "W\0\0\0\x09"
                 "dog"s),
            "x.dict: entry 2 (dog) at byte 0: an upper-case field runs past the entry");

  const Images big = Build({{"a", "m" + std::string(400, 'a')}, {"b", "m" + std::string(400, 'b')}});
  test::TempDir dir;
  dir.Write("x.ifo", Ifo(""));
  dir.Write("x.idx", big.idx);
  EXPECT_EQ(ErrorOf([&] { ReadStarDict(dir.path() / "x.ifo", ImportStyles{}); }),
            "x.ifo: x.dict (or x.dict.dz) is missing beside it");
  std::string dz = Dictzip(big.dict, 100);
  const std::size_t chunks = 12 + 4 + 6 + 2 * 9;  // header, RA subfield head, its fields, the sizes
  const std::size_t chunk2 = chunks + static_cast<std::uint8_t>(dz[22]) + 256 * static_cast<std::uint8_t>(dz[23]);
  dz[chunk2 + 3] = static_cast<char>(~dz[chunk2 + 3]);
  dir.Write("x.dict.dz", dz);
  EXPECT_EQ(ErrorOf([&] { ReadStarDict(dir.path() / "x.ifo", ImportStyles{}); }),
            "x.dict.dz: chunk 2 of 9 at byte " + std::to_string(chunk2) + ": damaged compressed data");
}

}  // namespace
}  // namespace lexmora
