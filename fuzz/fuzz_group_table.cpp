// Group table reader: arbitrary bytes as "groups.dgi", then every accessor
// of every record, the name through the letter code to UTF-16, and a round
// trip through the writer.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dictionary/dict_group_record.h"
#include "fuzz_support.h"
#include "text/azeri_letters.h"
#include "text/code_page.h"

using namespace lexmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view image(reinterpret_cast<const char*>(data), size);
  const GroupTable table = ParseGroupTable(image);
  LEXMORA_FUZZ_CHECK(table.count >= 1 && table.count <= GroupTable::kMaxGroups);
  if (size < DictGroupRecord::kSize) LEXMORA_FUZZ_CHECK(table.count == GroupTable::kMaxGroups);

  unsigned sink = 0;
  for (int g = 1; g <= table.count; ++g) {
    LEXMORA_FUZZ_CHECK(table.Valid(g));
    const DictGroupRecord& r = table.Group(g);
    const std::string_view name = r.Name();
    LEXMORA_FUZZ_CHECK(name.size() <= 60);
    const std::string latin = AzeriLetterCode(name);
    LEXMORA_FUZZ_CHECK(latin.size() == name.size());
    const std::u16string shown = ToUnicode(latin, 1254);
    LEXMORA_FUZZ_CHECK(shown.size() == latin.size());
    const std::string_view base = r.BaseName();
    LEXMORA_FUZZ_CHECK(base.size() <= 60);
    sink += r.Loaded();
    const SubDictSet enabled = r.Enabled();
    for (int k = -1; k <= 256; ++k) sink += enabled.Contains(k);
    for (int role = 0; role < 9; ++role) sink += r.StyleRole(role);
    sink += r.Value192() + r.Value194() + r.Locale();
    const int cp = r.CodePage();
    LEXMORA_FUZZ_CHECK(cp >= 0 && cp <= 0xFFFF);
    sink += IsKnownCodePage(cp);
    const std::string_view layout = r.KeyboardLayout();
    LEXMORA_FUZZ_CHECK(layout.size() <= 8);
    const std::string_view bitmap = r.Bitmap();
    LEXMORA_FUZZ_CHECK(bitmap.size() <= DictGroupRecord::kBitmapMax);
    for (char c : bitmap) sink += static_cast<unsigned char>(c);
    for (char c : base) sink += static_cast<unsigned char>(c);
    for (char c : layout) sink += static_cast<unsigned char>(c);
  }

  // What is read is written back unchanged.
  const std::string out = SerializeGroupTable(table);
  if (size >= DictGroupRecord::kSize) {
    LEXMORA_FUZZ_CHECK(out.size() == static_cast<std::size_t>(table.count) * DictGroupRecord::kSize);
    LEXMORA_FUZZ_CHECK(image.substr(0, out.size()) == out);
  }
  const GroupTable again = ParseGroupTable(out);
  LEXMORA_FUZZ_CHECK(again.count == table.count);
  for (int g = 1; g <= table.count; ++g) LEXMORA_FUZZ_CHECK(again.Group(g).bytes == table.Group(g).bytes);

  // Setters keep the record consistent with the accessors.
  DictGroupRecord copy = table.Group(1);
  copy.SetBitmap(copy.Bitmap().substr(0, copy.Bitmap().size() / 2));
  LEXMORA_FUZZ_CHECK(copy.Bitmap().size() == table.Group(1).Bitmap().size() / 2);
  copy.SetName(copy.Name());
  LEXMORA_FUZZ_CHECK(copy.Name() == table.Group(1).Name());
  (void)sink;
  return 0;
}
