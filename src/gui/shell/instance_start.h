// The first steps of the main window's creation: one instance per user.
// A plain start becomes the first instance or hands "activate" to the one
// that runs; a start whose first argument is exactly "OFF" hands "close" to
// the running one and never becomes an instance itself.
#pragma once

#include <QString>

namespace lexmora::platform {
class InstanceChannel;
}

namespace lexmora::gui {

enum class InstanceStart {
  Run,  // the first instance (or no guard could be set up): the window follows
  End,  // a later start or an "OFF" start: it ends now
};

// The instance's socket name. Runs on a settings file of their own (the
// --settings option) are instances of that file, so that they neither find
// nor block the user's ordinary instance.
QString InstanceName(const QString& settingsFile);

InstanceStart ClaimInstance(platform::InstanceChannel& channel, bool offRequest);

}  // namespace lexmora::gui
