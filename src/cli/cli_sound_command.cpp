// sound G SUBDICT N --out FILE: one item of a sub-dictionary's sound archive.
#include "cli_commands.h"
#include "dictionary/file_io.h"
#include "json_writer.h"
#include "sound/sound_archive.h"

namespace lexmora::cli {

int CommandSound(const CliOptions& options, const std::string& groupText, const std::string& subDictText,
                 const std::string& numberText, std::ostream& out, std::ostream& err) {
  if (options.out.empty()) {
    err << "lexmora-cli: sound needs --out FILE\n";
    return 1;
  }
  Session session(options.dir);
  const auto g = AvailableGroup(session, options, groupText, err);
  if (!g) return 2;
  const auto subDict = ParseInteger(subDictText);
  const auto number = ParseInteger(numberText);
  if (!subDict || *subDict < 0 || *subDict > 255 || !number || *number < 0 || *number > 0xFFFFFFFFll) {
    err << "lexmora-cli: usage: sound G SUBDICT(0..255) N\n";
    return 1;
  }
  const std::filesystem::path archive =
      SoundArchiveFile(options.dir, session.Table().Group(*g).BaseName(), static_cast<int>(*subDict));
  const std::string item = LoadSound(archive, static_cast<std::uint32_t>(*number));
  if (item.empty()) {
    err << "lexmora-cli: no sound " << *number << " in " << archive.string() << "\n";
    return 1;
  }
  if (!WriteFileAtomically(options.out, item)) {
    err << "lexmora-cli: cannot write " << options.out << "\n";
    return 1;
  }
  if (options.json) {
    JsonWriter json;
    json.BeginObject()
        .Field("group", *g)
        .Field("subdict", static_cast<std::int64_t>(*subDict))
        .Field("number", static_cast<std::int64_t>(*number))
        .Field("bytes", static_cast<std::int64_t>(item.size()))
        .EndObject();
    out << json.str() << "\n";
  } else {
    out << item.size() << " bytes written to " << options.out << "\n";
  }
  return 0;
}

}  // namespace lexmora::cli
