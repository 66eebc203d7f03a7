// A byte string written as numbers, for file images and markup in tests.
#pragma once

#include <initializer_list>
#include <string>

namespace lexmora::test {

inline std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

}  // namespace lexmora::test
