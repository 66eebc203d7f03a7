#include "settings/global_info.h"

namespace lexmora {
namespace {

using R = OptionsRecord;

constexpr GlobalInfoRec Int(std::string_view name, std::int32_t R::*f) {
  return {name, StoreKind::Integer, 0, f, nullptr};
}
constexpr GlobalInfoRec Bool(std::string_view name, bool R::*f) { return {name, StoreKind::Boolean, 0, f, nullptr}; }
constexpr GlobalInfoRec Text(std::string_view name, std::string R::*f) {
  return {name, StoreKind::Text, 0, f, nullptr};
}

const std::array<GlobalInfoRec, kStoredFieldCount> kTable = {{
    Int("FirstRun", &R::FirstRun),
    Text("MainSystemDir", &R::MainSystemDir),
    Text("ApplicationExeFile", &R::ApplicationExeFile),
    Int("InterfaceLang", &R::InterfaceLang),
    Int("WindowPosX", &R::WindowPosX),
    Int("WindowPosY", &R::WindowPosY),
    Int("WindowWidth", &R::WindowWidth),
    Int("WindowHeight", &R::WindowHeight),
    {"ToolbarsCoords", StoreKind::ByteBlock, static_cast<std::int32_t>(ToolbarsCoordsRecord::kSize), &R::ToolbarsCoords,
     nullptr},
    Bool("AutoSaveState", &R::AutoSaveState),
    Bool("AutoSavePos", &R::AutoSavePos),
    Bool("SynchronizeLayout", &R::SynchronizeLayout),
    Bool("DisplayIconOnTaskBar", &R::DisplayIconOnTaskBar),
    Int("CurrentLangGroup", &R::CurrentLangGroup),
    Int("CurrentItemIndex", &R::CurrentItemIndex),
    Int("CurrentBoxWordLen", &R::CurrentBoxWordLen),
    {"CurrentBoxWord", StoreKind::WideText, 0, &R::CurrentBoxWord, &R::CurrentBoxWordLen},
    Int("SplitterPos", &R::SplitterPos),
    Int("WindowState", &R::WindowState),
}};

}  // namespace

const std::array<GlobalInfoRec, kStoredFieldCount>& GlobalInfoTable() { return kTable; }

}  // namespace lexmora
