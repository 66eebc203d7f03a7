// A minimal streaming JSON writer for the command line's --json output.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexmora::cli {

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view key);
  JsonWriter& String(std::string_view utf8);
  JsonWriter& Int(std::int64_t value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  // Key followed by a value.
  JsonWriter& Field(std::string_view key, std::string_view utf8) { return Key(key).String(utf8); }
  JsonWriter& Field(std::string_view key, const char* utf8) { return Key(key).String(utf8); }
  JsonWriter& Field(std::string_view key, std::int64_t value) { return Key(key).Int(value); }
  JsonWriter& Field(std::string_view key, int value) { return Key(key).Int(value); }
  JsonWriter& Field(std::string_view key, bool value) { return Key(key).Bool(value); }

  const std::string& str() const { return out_; }

 private:
  void BeforeValue();
  void WriteQuoted(std::string_view utf8);
  std::string out_;
  std::vector<bool> first_;  // per open container: no element written yet
  bool afterKey_ = false;
};

}  // namespace lexmora::cli
