// An array fixed once it is made, shared by every copy: a loaded group's
// entry table, so that a worker's copy of the group (a snapshot for a scan
// or a search) costs nothing however large the group is.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace lexmora {

template <typename T>
class SharedRecords {
 public:
  SharedRecords() = default;
  explicit SharedRecords(std::vector<T> records)
      : records_(std::make_shared<const std::vector<T>>(std::move(records))) {}

  std::size_t size() const { return records_ ? records_->size() : 0; }
  bool empty() const { return size() == 0; }
  const T& operator[](std::size_t i) const { return (*records_)[i]; }
  const T& front() const { return records_->front(); }
  const T& back() const { return records_->back(); }
  const T* data() const { return records_ ? records_->data() : nullptr; }
  const T* begin() const { return data(); }
  const T* end() const { return data() + size(); }

 private:
  std::shared_ptr<const std::vector<T>> records_;
};

}  // namespace lexmora
