// Reading a source file of the data tools.
#pragma once

#include <filesystem>
#include <string>

namespace lexmora::tools {

// The whole file; throws SourceError when it cannot be read.
std::string ReadSourceFile(const std::filesystem::path& path);

}  // namespace lexmora::tools
