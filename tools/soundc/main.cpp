// lexmora-soundc: builds sound archives (".snd"), from audio files or spoken
// by the speech synthesizer for the sound marks of dictionary sources.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "dictionary/file_io.h"
#include "sound/sound_archive.h"
#include "soundc/spoken_archives.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: lexmora-soundc --out ARCHIVE.snd AUDIO_FILE...\n"
               "         items 1..N are the audio files in order (any format the player decodes:\n"
               "         Ogg Vorbis, MP3, WAV, FLAC)\n"
               "       lexmora-soundc --groups GROUPS.txt --out PROGRAM_FOLDER\n"
               "         speaks the headword of every sound mark of the group file's sources and\n"
               "         writes DICT/<base>NNN.snd for each sub-dictionary that has marks\n");
  return 2;
}

int PackFiles(const std::string& out, const std::vector<std::string>& inputs) {
  std::vector<std::string> items;
  for (const std::string& input : inputs) {
    auto image = lexmora::ReadWholeFile(input);
    if (!image || image->empty()) {
      std::fprintf(stderr, "lexmora-soundc: cannot read %s\n", input.c_str());
      return 1;
    }
    items.push_back(std::move(*image));
  }
  if (!lexmora::WriteFileAtomically(out, lexmora::SoundArchiveImage(items))) {
    std::fprintf(stderr, "lexmora-soundc: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("%s: %zu items\n", out.c_str(), items.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out, groups;
  std::vector<std::string> inputs;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--out" || arg == "--groups") && i + 1 < argc) {
      (arg == "--out" ? out : groups) = argv[++i];
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage();
    } else {
      inputs.push_back(arg);
    }
  }
  if (out.empty() || (groups.empty() == inputs.empty())) return Usage();
  if (groups.empty()) return PackFiles(out, inputs);
  try {
    for (const auto& archive : lexmora::tools::BuildSpokenArchives(groups, out))
      std::printf("%s: %zu items, %zu spoken in voice %s\n", archive.file.string().c_str(), archive.items,
                  archive.spoken, archive.voice.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lexmora-soundc: %s\n", e.what());
    return 1;
  }
  return 0;
}
