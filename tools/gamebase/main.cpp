// lexmora-gamebase: builds the game's picture bases from readable lists.
#include <cstdio>
#include <exception>
#include <string>

#include "game/picture_base_writer.h"
#include "gamebase/picture_list.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: lexmora-gamebase [--pictures PICTURES.txt] [--backgrounds BACKGROUNDS.txt] --out PROGRAM_FOLDER\n"
               "writes GAME/nobase.IDX and GAME/nobase.NOB from the picture list,\n"
               "GAME/bkbase.IDX and GAME/bkbase.BOB from the background list\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string pictures, backgrounds, out;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--pictures" || arg == "--backgrounds" || arg == "--out") && i + 1 < argc) {
      (arg == "--pictures" ? pictures : arg == "--backgrounds" ? backgrounds : out) = argv[++i];
    } else {
      return Usage();
    }
  }
  if (out.empty() || (pictures.empty() && backgrounds.empty())) return Usage();
  try {
    if (!pictures.empty()) {
      const auto listed = lexmora::tools::LoadPictureList(pictures);
      std::vector<lexmora::RegionPictureSource> sources;
      std::size_t checked = 0;
      for (const auto& p : listed) {
        sources.push_back(p.source);
        if (p.regionsChecked) ++checked;
      }
      const auto image = lexmora::RegionPictureBaseImage(sources);
      if (!image || !lexmora::WriteRegionPictureBase(out, *image)) {
        std::fprintf(stderr, "lexmora-gamebase: cannot write the region picture base into %s\n", out.c_str());
        return 1;
      }
      std::printf("%zu region pictures (%zu with their regions checked), %zu bytes of picture data\n", listed.size(),
                  checked, image->data.size());
    }
    if (!backgrounds.empty()) {
      const auto listed = lexmora::tools::LoadBackgroundList(backgrounds);
      std::vector<lexmora::BackgroundSource> sources;
      for (const auto& b : listed) sources.push_back(b.source);
      const auto image = lexmora::BackgroundBaseImage(sources);
      if (!image || !lexmora::WriteBackgroundBase(out, *image)) {
        std::fprintf(stderr, "lexmora-gamebase: cannot write the background base into %s\n", out.c_str());
        return 1;
      }
      std::printf("%zu backgrounds, %zu bytes of picture data\n", listed.size(), image->data.size());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lexmora-gamebase: %s\n", e.what());
    return 1;
  }
  return 0;
}
