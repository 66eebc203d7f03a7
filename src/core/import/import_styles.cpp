#include "import/import_styles.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace lexmora {

ImportStyles StylesForContent(int headwordStyle, std::string_view contentLanguage) {
  ImportStyles s;
  s.headword = headwordStyle;
  if (contentLanguage == "ru" || contentLanguage == "uk" || contentLanguage == "be" || contentLanguage == "bg") {
    s.text = 11;
    s.italic = 12;
    s.bold = 8;
    s.example = 12;
    s.label = 17;
    s.link = 16;
    s.blue = 16;
  } else if (contentLanguage == "az" || contentLanguage == "tr") {
    s.text = 9;
  }
  return s;
}

namespace {

// The hue of a "#rrggbb" colour: 'r', 'g', 'b' where one channel leads
// clearly, 0 for greys and mixtures.
char HueOfHex(std::string_view hex) {
  if (hex.size() != 6) return 0;
  int rgb[3];
  for (int i = 0; i < 3; ++i) {
    const std::string part(hex.substr(static_cast<std::size_t>(2 * i), 2));
    if (!std::isxdigit(static_cast<unsigned char>(part[0])) || !std::isxdigit(static_cast<unsigned char>(part[1]))) return 0;
    rgb[i] = std::stoi(part, nullptr, 16);
  }
  const int top = std::max({rgb[0], rgb[1], rgb[2]});
  const int second = rgb[0] + rgb[1] + rgb[2] - top - std::min({rgb[0], rgb[1], rgb[2]});
  if (top < 0x40 || top - second < 0x40) return 0;
  return top == rgb[0] ? 'r' : top == rgb[1] ? 'g' : 'b';
}

}  // namespace

int StyleForColour(const ImportStyles& styles, std::string_view colour) {
  std::string name;
  for (char c : colour)
    if (c != ' ') name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  char hue = 0;
  if (!name.empty() && name[0] == '#') {
    hue = HueOfHex(std::string_view(name).substr(1));
  } else {
    static constexpr std::string_view kRed[] = {"red", "crimson", "maroon", "brown", "firebrick", "tomato", "orange",
                                                "coral", "salmon", "magenta", "purple", "violet", "pink", "chocolate",
                                                "sienna", "fuchsia"};
    static constexpr std::string_view kGreen[] = {"green", "olive", "lime", "teal", "sea", "chartreuse", "forest"};
    static constexpr std::string_view kBlue[] = {"blue", "navy", "cyan", "aqua", "indigo", "azure", "turquoise"};
    auto any = [&](const auto& list) {
      return std::any_of(std::begin(list), std::end(list), [&](std::string_view w) { return name.find(w) != std::string::npos; });
    };
    hue = any(kBlue) ? 'b' : any(kGreen) ? 'g' : any(kRed) ? 'r' : 0;
  }
  return hue == 'r' ? styles.red : hue == 'g' ? styles.green : hue == 'b' ? styles.blue : styles.text;
}

}  // namespace lexmora
