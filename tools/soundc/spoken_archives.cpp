#include "soundc/spoken_archives.h"

#include <stdexcept>

#include "audio/speech.h"
#include "dictc/source_parser.h"
#include "dictionary/file_io.h"
#include "dictionary/file_names.h"
#include "sound/headword_voice.h"
#include "sound/sound_archive.h"
#include "soundc/ogg_encoder.h"
#include "soundc/sound_words.h"

namespace lexmora::tools {

std::vector<SpokenArchive> BuildSpokenArchives(const std::filesystem::path& groupFile,
                                               const std::filesystem::path& programDir) {
  std::vector<SpokenArchive> written;
  for (const GroupSource& group : ParseGroupFile(groupFile)) {
    const std::string voice = HeadwordVoice(group.record);
    for (const SourceRef& ref : group.sources) {
      const ParsedSubDict parsed = ParseSubDictSource(ref.path, group.record);
      const auto words = SoundWords(parsed.subDict, group.record.CodePage());
      if (words.empty()) continue;
      SpokenArchive archive;
      archive.voice = voice;
      archive.items = words.rbegin()->first;
      std::vector<std::string> items(archive.items);
      for (const auto& [number, word] : words) {
        if (number == 0) continue;  // no item has number 0
        const platform::SpokenText spoken = platform::Speak(voice, word);
        if (spoken.samples.empty())
          throw std::runtime_error("cannot speak \"" + word + "\" in voice " + voice);
        items[number - 1] = EncodeOggVorbis(spoken.samples, spoken.sampleRate);
        if (items[number - 1].empty()) throw std::runtime_error("cannot encode \"" + word + "\"");
        ++archive.spoken;
      }
      archive.file = programDir / SoundArchivePath(group.record.BaseName(), parsed.subDict.header.Number());
      std::filesystem::create_directories(archive.file.parent_path());
      if (!WriteFileAtomically(archive.file, SoundArchiveImage(items)))
        throw std::runtime_error("cannot write " + archive.file.string());
      written.push_back(std::move(archive));
    }
  }
  return written;
}

}  // namespace lexmora::tools
