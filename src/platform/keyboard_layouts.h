// Keyboard layouts chosen by their 8-digit layout identifier text
// ("00000409", "0000042c", ...).
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace lexmora::platform {

// The XKB layout name of an 8-digit layout identifier (case-insensitive):
// 0409 us, 0419 ru, 0407 de, 040c fr, 042c az, 041f tr; empty when unknown.
std::string XkbLayoutName(std::string_view layoutId);

class KeyboardLayouts {
 public:
  virtual ~KeyboardLayouts() = default;
  // Loads and activates the layout; returns false where it cannot switch.
  virtual bool Activate(std::string_view layoutId) = 0;
};

// Does nothing: for tests and for desktops where layouts cannot be switched.
class NullKeyboardLayouts : public KeyboardLayouts {
 public:
  bool Activate(std::string_view) override { return false; }
};

// Remembers the last request: for tests.
class RecordingKeyboardLayouts : public KeyboardLayouts {
 public:
  bool Activate(std::string_view layoutId) override {
    last = std::string(layoutId);
    ++calls;
    return true;
  }
  std::string last;
  int calls = 0;
};

// The layouts of the running desktop: on X11 the layout is switched with
// setxkbmap when that tool is installed; elsewhere nothing happens.
std::unique_ptr<KeyboardLayouts> CreateDesktopKeyboardLayouts();

}  // namespace lexmora::platform
