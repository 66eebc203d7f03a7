// speak G ROW --out FILE.wav: a headword spoken by the speech synthesizer.
#include "audio/speech.h"
#include "cli_commands.h"
#include "dictionary/file_io.h"
#include "json_writer.h"
#include "sound/headword_voice.h"
#include "text/code_page.h"

namespace lexmora::cli {

int CommandSpeak(const CliOptions& options, const std::string& groupText, const std::string& rowText,
                 std::ostream& out, std::ostream& err) {
  if (options.out.empty()) {
    err << "lexmora-cli: speak needs --out FILE.wav\n";
    return 1;
  }
  auto session = OpenSession(options, groupText, err);
  if (!session) return 2;
  const auto row = FullListRow(*session, rowText, err);
  if (!row) return 2;
  const std::string voice = HeadwordVoice(session->Table().Group(session->CurrentGroup()));
  const std::string headword = Utf16ToUtf8(session->Headword(*row));
  const std::string wav = platform::SpeakToWav(voice, headword);
  if (wav.empty()) {
    err << "lexmora-cli: cannot speak \"" << headword << "\" in voice " << voice << "\n";
    return 1;
  }
  if (!WriteFileAtomically(options.out, wav)) {
    err << "lexmora-cli: cannot write " << options.out << "\n";
    return 1;
  }
  if (options.json) {
    JsonWriter json;
    json.BeginObject()
        .Field("group", session->CurrentGroup())
        .Field("row", *row)
        .Field("voice", voice)
        .Field("bytes", static_cast<std::int64_t>(wav.size()))
        .EndObject();
    out << json.str() << "\n";
  } else {
    out << headword << " spoken in voice " << voice << ": " << wav.size() << " bytes written to " << options.out << "\n";
  }
  return 0;
}

}  // namespace lexmora::cli
