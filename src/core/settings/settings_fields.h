// Reading and writing one stored field of OptionsRecord by the kind of its
// descriptor.
#pragma once

#include "settings/global_info.h"
#include "settings/options_record.h"
#include "settings/settings_backend.h"

namespace lexmora {

// Reads the value named by the descriptor into its field. Returns false, and
// leaves the field as it was, when the value is missing or cannot be read by
// its kind: another stored type, or a byte block of another size.
// A wide text takes its length from the descriptor's length field, which
// must already hold the loaded length: a length of 0 or less gives empty
// text; a stored block shorter than the length gives the units it holds.
bool ReadStoredField(const SettingsBackend& backend, const GlobalInfoRec& info, OptionsRecord& record);

// Writes the field by its kind. An empty wide text writes nothing, so the
// stored value keeps what it held.
void WriteStoredField(SettingsBackend& backend, const GlobalInfoRec& info, const OptionsRecord& record);

}  // namespace lexmora
