// Where played sounds go: an audio file image handed over whole, decoded
// and played on its own channel.
#pragma once

#include <string_view>

namespace lexmora::platform {

class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // Starts playing the image; returns at once. False when it cannot be
  // played (no device, an image that does not decode). Safe from any thread.
  virtual bool Play(std::string_view image) = 0;
};

}  // namespace lexmora::platform
