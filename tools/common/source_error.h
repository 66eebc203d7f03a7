// Errors in readable source files, reported as "file:line: message".
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace lexmora::tools {

class SourceError : public std::runtime_error {
 public:
  SourceError(const std::string& file, std::size_t line, const std::string& message)
      : std::runtime_error(Format(file, line, message)), file_(file), line_(line) {}

  const std::string& file() const { return file_; }
  std::size_t line() const { return line_; }  // 1-based; 0 when the whole file is meant

 private:
  static std::string Format(const std::string& file, std::size_t line, const std::string& message) {
    if (line == 0) return file + ": " + message;
    return file + ":" + std::to_string(line) + ": " + message;
  }
  std::string file_;
  std::size_t line_;
};

}  // namespace lexmora::tools
