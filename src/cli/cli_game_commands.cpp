// gamebases, gamepicture and gamebackground: the game's picture bases of
// the program folder as the game reads them.
#include <cstdint>
#include <iomanip>
#include <sstream>

#include "cli_commands.h"
#include "game/encoded_picture_size.h"
#include "game/picture_bases.h"
#include "json_writer.h"

namespace lexmora::cli {

namespace {

// The index of the command line, or nullopt after a message when it is not
// a whole number.
std::optional<int> IndexOf(const std::string& text, std::ostream& err) {
  const auto index = ParseInteger(text);
  if (!index || *index < INT32_MIN || *index > INT32_MAX) {
    err << "lexmora-cli: the index must be a whole number, not " << text << "\n";
    return std::nullopt;
  }
  return static_cast<int>(*index);
}

const char* TypeName(int type) {
  return type == kPictureTypeBitmap ? "bitmap" : type == kPictureTypeJpeg ? "jpeg" : "unknown";
}

// 0x00BBGGRR as "#rrggbb".
std::string HtmlColour(std::uint32_t colour) {
  std::ostringstream s;
  s << '#' << std::hex << std::setfill('0') << std::setw(2) << (colour & 0xFF) << std::setw(2)
    << ((colour >> 8) & 0xFF) << std::setw(2) << ((colour >> 16) & 0xFF);
  if (colour >> 24) s << " (high byte " << std::setw(2) << (colour >> 24) << ")";
  return s.str();
}

}  // namespace

int CommandGameBases(const CliOptions& options, std::ostream& out, std::ostream& err) {
  const int pictures = PictureCount(options.dir);
  const int backgrounds = BackgroundCount(options.dir);
  if (options.json) {
    JsonWriter json;
    json.BeginObject().Field("pictures", pictures).Field("backgrounds", backgrounds).EndObject();
    out << json.str() << "\n";
  } else {
    out << pictures << " region pictures, " << backgrounds << " backgrounds\n";
  }
  return 0;
}

int CommandGamePicture(const CliOptions& options, const std::string& indexText, std::ostream& out,
                       std::ostream& err) {
  const auto index = IndexOf(indexText, err);
  if (!index) return 1;
  const auto picture = LoadGamePicture(options.dir, *index);
  if (!picture) {
    err << "lexmora-cli: region picture " << indexText << " cannot be read (the base holds "
        << PictureCount(options.dir) << ")\n";
    return 1;
  }
  const RegionPictureRecord& r = picture->record;
  const PictureSize size = EncodedPictureSize(picture->picture, r.Type());
  if (options.json) {
    JsonWriter json;
    json.BeginObject()
        .Field("index", *index)
        .Field("type", static_cast<int>(r.Type()))
        .Field("border", static_cast<std::int64_t>(r.BorderColour()))
        .Field("transparent", static_cast<std::int64_t>(r.TransparentColour()))
        .Field("regions", static_cast<std::int64_t>(r.RegionCount()));
    json.Key("points").BeginArray();
    for (const RegionPoint& p : picture->points) json.BeginArray().Int(p.x).Int(p.y).EndArray();
    json.EndArray().Field("width", size.width).Field("height", size.height).EndObject();
    out << json.str() << "\n";
  } else {
    out << "region picture " << *index << ": " << TypeName(r.Type()) << " " << size.width << " x " << size.height
        << ", " << r.RegionCount() << " regions, border " << HtmlColour(r.BorderColour()) << ", transparent "
        << HtmlColour(r.TransparentColour()) << "\n";
    for (std::size_t k = 0; k < picture->points.size(); ++k) {
      out << "  " << k + 1 << "\t" << picture->points[k].x << "\t" << picture->points[k].y << "\n";
    }
  }
  return 0;
}

int CommandGameBackground(const CliOptions& options, const std::string& indexText, std::ostream& out,
                          std::ostream& err) {
  const auto index = IndexOf(indexText, err);
  if (!index) return 1;
  const auto background = LoadGameBackground(options.dir, *index);
  if (!background) {
    err << "lexmora-cli: background " << indexText << " cannot be read (the base holds "
        << BackgroundCount(options.dir) << ")\n";
    return 1;
  }
  const int type = background->record.Type();
  const PictureSize size = EncodedPictureSize(background->picture, type);
  if (options.json) {
    JsonWriter json;
    json.BeginObject()
        .Field("index", *index)
        .Field("type", type)
        .Field("width", size.width)
        .Field("height", size.height)
        .EndObject();
    out << json.str() << "\n";
  } else {
    out << "background " << *index << ": " << TypeName(type) << " " << size.width << " x " << size.height << "\n";
  }
  return 0;
}

}  // namespace lexmora::cli
