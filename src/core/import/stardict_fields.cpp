#include "import/stardict_fields.h"

#include <cstdint>

namespace lexmora {
namespace {

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }

// Takes one field of the given type from the front of rest.
const char* TakeField(char type, std::string_view& rest, bool last, std::vector<StarDictField>& fields) {
  if (last) {
    fields.push_back({type, rest});
    rest = {};
    return nullptr;
  }
  if (IsLower(type)) {
    const std::size_t end = rest.find('\0');
    fields.push_back({type, rest.substr(0, end)});
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    return nullptr;
  }
  if (rest.size() < 4) return "the size of an upper-case field is cut short";
  std::uint32_t size = 0;
  for (int i = 0; i < 4; ++i) size = size << 8 | static_cast<std::uint8_t>(rest[static_cast<std::size_t>(i)]);
  rest.remove_prefix(4);
  if (size > rest.size()) return "an upper-case field runs past the entry";
  fields.push_back({type, rest.substr(0, size)});
  rest.remove_prefix(size);
  return nullptr;
}

}  // namespace

const char* SplitStarDictFields(std::string_view data, std::string_view sameTypeSequence,
                                std::vector<StarDictField>& fields) {
  fields.clear();
  if (!sameTypeSequence.empty()) {
    for (std::size_t i = 0; i < sameTypeSequence.size() && !data.empty(); ++i)
      if (const char* error = TakeField(sameTypeSequence[i], data, i + 1 == sameTypeSequence.size(), fields))
        return error;
    return nullptr;
  }
  while (!data.empty()) {
    const char type = data[0];
    if (!IsLower(type) && !IsUpper(type)) return "a field type is no letter";
    data.remove_prefix(1);
    if (const char* error = TakeField(type, data, false, fields)) return error;
  }
  return nullptr;
}

}  // namespace lexmora
