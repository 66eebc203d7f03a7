#include "common/source_file.h"

#include "common/source_error.h"
#include "dictionary/file_io.h"

namespace lexmora::tools {

std::string ReadSourceFile(const std::filesystem::path& path) {
  auto data = ReadWholeFile(path);
  if (!data) throw SourceError(path.string(), 0, "cannot read the file");
  return std::move(*data);
}

}  // namespace lexmora::tools
