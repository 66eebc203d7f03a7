// Gzip files of a StarDict dictionary: the .dict.dz, which dictzip writes as
// one gzip member deflated in chunks of a fixed length, each flushed so that
// it inflates on its own, with the compressed size of every chunk in the
// "RA" subfield of the header; and the .idx.gz, inflated whole.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "import/stardict_dict_data.h"

namespace lexmora {

// The inflated members of a gzip image, one after another. Throws
// ImportError naming fileName.
std::string GunzipImage(std::string_view image, const std::string& fileName);

// The data of a .dict.dz image. With a chunk table a read inflates only the
// chunks it needs, and the last one stays at hand for the next read (entries
// read in offset order inflate each chunk once); a gzip file without one is
// inflated whole. Throws ImportError naming fileName for a damaged header or
// chunk table; a damaged chunk throws when it is read.
std::unique_ptr<DictData> OpenDictzip(std::string image, const std::string& fileName);

}  // namespace lexmora
