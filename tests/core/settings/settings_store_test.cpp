// Loading and saving OptionsRecord over the in-memory backend: defaults,
// first run, reset by FirstRun = 1, wide text and its length, wrong types.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings/global_info.h"
#include "settings/memory_settings_backend.h"
#include "settings/program_names.h"
#include "settings/settings_store.h"

namespace lexmora {
namespace {

const SettingsEnvironment kEnv{1024, 768, "/opt/lexmora/lexmora"};

std::string Bytes16(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

TEST(SettingsStore, ComputedDefaultsCentreTheWindowAndNameTheProgram) {
  ComputedPaths computed;
  OptionsRecord r = DefaultOptions(kEnv, &computed);
  EXPECT_EQ(r.WindowPosX, (1024 - 626) / 2);
  EXPECT_EQ(r.WindowPosY, (768 - 436) / 2);
  EXPECT_EQ(r.MainSystemDir, "/opt/lexmora/");
  EXPECT_EQ(r.ApplicationExeFile, "/opt/lexmora/lexmora");
  EXPECT_EQ(computed.programFolder, "/opt/lexmora/");
  EXPECT_EQ(computed.executable, "/opt/lexmora/lexmora");
}

TEST(SettingsStore, SmallScreenGivesPositionZeroNotNegative) {
  OptionsRecord r = DefaultOptions({600, 437, "/x/lexmora"});
  EXPECT_EQ(r.WindowPosX, 0);  // (600 - 626) / 2 = -13 -> 0
  EXPECT_EQ(r.WindowPosY, 0);  // (437 - 436) / 2 = 0
}

TEST(SettingsStore, ExecutableOfAnotherNameStillRecordsTheProgramName) {
  EXPECT_EQ(DefaultOptions({800, 600, "/x/Lexmora"}).ApplicationExeFile, std::string("/x/") + kMainExecutableName);
  EXPECT_EQ(DefaultOptions({800, 600, "/x/lexmora-debug"}).ApplicationExeFile, std::string("/x/") + kMainExecutableName);
}

TEST(SettingsStore, FirstRunWritesDefaultsRunsStepsAndClearsFirstRun) {
  MemorySettingsBackend backend;
  SettingsStore store(backend, kEnv);
  std::vector<std::string> autorun;
  std::vector<std::filesystem::path> fonts;
  store.Load({[&](const std::string& p) { autorun.push_back(p); },
              [&](const std::filesystem::path& p) { fonts.push_back(p); }});

  ASSERT_EQ(autorun.size(), 1u);
  EXPECT_EQ(autorun[0], std::string("/opt/lexmora/") + kAgentExecutableName);
  ASSERT_EQ(fonts.size(), 1u);
  EXPECT_EQ(fonts[0], std::filesystem::path("/opt/lexmora/system.lib"));

  const auto& v = backend.values();
  EXPECT_EQ(v.at("FirstRun").integer, 0);
  EXPECT_EQ(v.at("MainSystemDir").bytes, "/opt/lexmora/");
  EXPECT_EQ(v.at("ApplicationExeFile").bytes, "/opt/lexmora/lexmora");
  EXPECT_EQ(v.at("InterfaceLang").integer, 1);
  EXPECT_EQ(v.at("WindowPosX").integer, 199);
  EXPECT_EQ(v.at("WindowPosY").integer, 166);
  EXPECT_EQ(v.at("WindowWidth").integer, 626);
  EXPECT_EQ(v.at("WindowHeight").integer, 436);
  for (const char* b : {"AutoSaveState", "AutoSavePos", "SynchronizeLayout", "DisplayIconOnTaskBar"}) {
    EXPECT_EQ(v.at(b).type, StoredType::Integer) << b;
    EXPECT_EQ(v.at(b).integer, 1) << b;
  }
  const std::string toolbars("\x0B\0\0\0\x02\0\0\0\x01\x0B\0\0\0\x22\0\0\0\x01", 18);
  EXPECT_EQ(v.at("ToolbarsCoords").bytes, toolbars);
  EXPECT_EQ(v.at("CurrentLangGroup").integer, 1);
  EXPECT_EQ(v.at("CurrentItemIndex").integer, 1);
  EXPECT_EQ(v.at("CurrentBoxWordLen").integer, 0);
  EXPECT_EQ(v.at("SplitterPos").integer, 0);
  EXPECT_EQ(v.at("WindowState").integer, 0);
  // Every descriptor was written; the empty wide text writes no value, so
  // 18 values exist and CurrentBoxWord is not among them.
  EXPECT_EQ(v.size(), 18u);
  EXPECT_EQ(v.count("CurrentBoxWord"), 0u);
  EXPECT_EQ(store.options().FirstRun, 0);
}

TEST(SettingsStore, LaterRunReadsStoredValuesAndSkipsFirstRunSteps) {
  MemorySettingsBackend backend;
  SettingsStore(backend, kEnv).Load();
  backend.WriteInteger("WindowWidth", 900);
  backend.WriteText("MainSystemDir", "/elsewhere/");
  backend.WriteInteger("AutoSavePos", 7);  // any non-zero value is true
  backend.WriteInteger("SynchronizeLayout", 0);

  SettingsStore store(backend, {1920, 1080, "/new/lexmora"});
  int steps = 0;
  backend.ClearLog();
  store.Load({[&](const std::string&) { ++steps; }, [&](const std::filesystem::path&) { ++steps; }});
  EXPECT_EQ(steps, 0);
  EXPECT_EQ(store.options().WindowWidth, 900);
  EXPECT_EQ(store.options().MainSystemDir, "/elsewhere/");  // the stored folder wins
  EXPECT_TRUE(store.options().AutoSavePos);
  EXPECT_FALSE(store.options().SynchronizeLayout);
  EXPECT_TRUE(backend.log().empty());  // nothing missing, nothing written
}

TEST(SettingsStore, MissingValueIsWrittenWithItsDefault) {
  MemorySettingsBackend backend;
  SettingsStore(backend, kEnv).Load();
  backend.Remove("SplitterPos");
  backend.Remove("WindowHeight");
  backend.ClearLog();
  SettingsStore store(backend, kEnv);
  store.Load();
  EXPECT_EQ(backend.log(), (std::vector<std::string>{"write WindowHeight", "write SplitterPos"}));
  EXPECT_EQ(backend.values().at("WindowHeight").integer, 436);
  EXPECT_EQ(backend.values().at("SplitterPos").integer, 0);
}

TEST(SettingsStore, FirstRunSetBackToOneResetsEveryValue) {
  MemorySettingsBackend backend;
  SettingsStore(backend, kEnv).Load();
  backend.WriteInteger("WindowWidth", 1000);
  backend.WriteText("MainSystemDir", "/old/folder/");
  backend.WriteInteger("InterfaceLang", 2);
  backend.WriteInteger("CurrentBoxWordLen", 3);
  backend.WriteBinary("CurrentBoxWord", Bytes16(u"söz"));
  backend.WriteInteger("FirstRun", 1);

  SettingsStore store(backend, {800, 600, "/new/place/lexmora"});
  int steps = 0;
  store.Load({[&](const std::string&) { ++steps; }, [&](const std::filesystem::path&) { ++steps; }});
  EXPECT_EQ(steps, 2);
  const auto& v = backend.values();
  EXPECT_EQ(v.at("FirstRun").integer, 0);
  EXPECT_EQ(v.at("WindowWidth").integer, 626);
  EXPECT_EQ(v.at("MainSystemDir").bytes, "/new/place/");
  EXPECT_EQ(v.at("InterfaceLang").integer, 1);
  EXPECT_EQ(v.at("WindowPosX").integer, 87);
  EXPECT_EQ(v.at("CurrentBoxWordLen").integer, 0);
  EXPECT_EQ(v.count("CurrentBoxWord"), 0u);  // deleted, and an empty word writes nothing
  EXPECT_EQ(store.options().MainSystemDir, "/new/place/");
  EXPECT_TRUE(store.options().CurrentBoxWord.empty());
}

TEST(SettingsStore, FirstRunDeletesEveryOtherValueBeforeRewritingIt) {
  MemorySettingsBackend backend;
  SettingsStore(backend, kEnv).Load();
  backend.WriteInteger("FirstRun", 1);
  backend.ClearLog();
  SettingsStore(backend, kEnv).Load();
  const auto& log = backend.log();
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log[0], "remove MainSystemDir");
  EXPECT_EQ(log[1], "write MainSystemDir");
  EXPECT_EQ(std::count(log.begin(), log.end(), "remove FirstRun"), 0);
  EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& s) { return s.starts_with("remove "); }), 17);
}

TEST(SettingsStore, StoredWordIsReadWithTheStoredLength) {
  MemorySettingsBackend backend;
  SettingsStore(backend, kEnv).Load();
  backend.WriteInteger("CurrentBoxWordLen", 4);
  backend.WriteBinary("CurrentBoxWord", Bytes16(u"ətir"));
  SettingsStore store(backend, kEnv);
  store.Load();
  EXPECT_EQ(store.options().CurrentBoxWord, u"ətir");

  backend.WriteInteger("CurrentBoxWordLen", 2);
  SettingsStore shorter(backend, kEnv);
  shorter.Load();
  EXPECT_EQ(shorter.options().CurrentBoxWord, u"ət");
}

TEST(SettingsStore, WordLengthZeroLoadsEmptyText) {
  MemorySettingsBackend backend;
  SettingsStore(backend, kEnv).Load();
  backend.WriteInteger("CurrentBoxWordLen", 0);
  backend.WriteBinary("CurrentBoxWord", Bytes16(u"kitab"));
  SettingsStore store(backend, kEnv);
  store.Load();
  EXPECT_TRUE(store.options().CurrentBoxWord.empty());
  EXPECT_EQ(backend.values().at("CurrentBoxWord").bytes, Bytes16(u"kitab"));  // left alone

  backend.WriteInteger("CurrentBoxWordLen", -5);
  SettingsStore negative(backend, kEnv);
  negative.Load();
  EXPECT_TRUE(negative.options().CurrentBoxWord.empty());
}

TEST(SettingsStore, LengthBeyondTheStoredWordTakesWhatIsStored) {
  MemorySettingsBackend backend;
  SettingsStore(backend, kEnv).Load();
  backend.WriteInteger("CurrentBoxWordLen", 0x7FFFFFFF);
  backend.WriteBinary("CurrentBoxWord", Bytes16(u"ev") + "\x41");  // odd byte count
  SettingsStore store(backend, kEnv);
  store.Load();
  EXPECT_EQ(store.options().CurrentBoxWord, u"ev");
}

TEST(SettingsStore, EmptyInputWordLeavesTheStoredWord) {
  MemorySettingsBackend backend;
  SettingsStore store(backend, kEnv);
  store.Load();
  store.options().CurrentBoxWord = u"alma";
  store.options().CurrentBoxWordLen = 4;
  store.Save();
  EXPECT_EQ(backend.values().at("CurrentBoxWord").bytes, Bytes16(u"alma"));

  store.options().CurrentBoxWord.clear();
  store.options().CurrentBoxWordLen = 0;
  store.Save();
  EXPECT_EQ(backend.values().at("CurrentBoxWord").bytes, Bytes16(u"alma"));
  EXPECT_EQ(backend.values().at("CurrentBoxWordLen").integer, 0);

  SettingsStore next(backend, kEnv);
  next.Load();
  EXPECT_TRUE(next.options().CurrentBoxWord.empty());
}

TEST(SettingsStore, ValueOfTheWrongTypeCountsAsMissing) {
  MemorySettingsBackend backend;
  SettingsStore(backend, kEnv).Load();
  backend.WriteText("WindowWidth", "900");
  backend.WriteInteger("MainSystemDir", 5);
  backend.WriteText("AutoSaveState", "0");
  backend.WriteBinary("ToolbarsCoords", std::string(17, '\0'));  // one byte short
  backend.WriteText("CurrentBoxWord", "text");
  backend.WriteInteger("CurrentBoxWordLen", 4);

  SettingsStore store(backend, kEnv);
  store.Load();
  const auto& v = backend.values();
  EXPECT_EQ(store.options().WindowWidth, 626);
  EXPECT_EQ(v.at("WindowWidth").type, StoredType::Integer);
  EXPECT_EQ(v.at("WindowWidth").integer, 626);
  EXPECT_EQ(store.options().MainSystemDir, "/opt/lexmora/");
  EXPECT_EQ(v.at("MainSystemDir").type, StoredType::Text);
  EXPECT_TRUE(store.options().AutoSaveState);
  EXPECT_EQ(v.at("AutoSaveState").integer, 1);
  EXPECT_EQ(store.options().ToolbarsCoords, ToolbarsCoordsRecord{});
  EXPECT_EQ(v.at("ToolbarsCoords").bytes.size(), 18u);
  EXPECT_TRUE(store.options().CurrentBoxWord.empty());
}

TEST(SettingsStore, EmptyStoredFolderAndExecutableTakeTheComputedOnes) {
  MemorySettingsBackend backend;
  SettingsStore(backend, kEnv).Load();
  backend.WriteText("MainSystemDir", "");
  backend.WriteText("ApplicationExeFile", "");
  SettingsStore store(backend, kEnv);
  store.Load();
  EXPECT_EQ(store.options().MainSystemDir, "/opt/lexmora/");
  EXPECT_EQ(store.options().ApplicationExeFile, "/opt/lexmora/lexmora");
}

TEST(SettingsStore, KeyThatCannotBeOpenedLeavesDefaultsAndWritesNothing) {
  MemorySettingsBackend backend;
  backend.openable = false;
  SettingsStore store(backend, kEnv);
  store.Load();
  EXPECT_TRUE(backend.values().empty());
  EXPECT_EQ(store.options().WindowPosX, 199);
  EXPECT_EQ(store.options().FirstRun, 0);
  EXPECT_FALSE(backend.isOpen());
}

TEST(SettingsStore, InterfaceLangSevenLoadsUnchanged) {
  // The range check belongs to the restore at window creation
  // (InterfaceLanguage::RestoreInterfaceLang); loading keeps the value.
  MemorySettingsBackend backend;
  SettingsStore(backend, kEnv).Load();
  backend.WriteInteger("InterfaceLang", 7);
  SettingsStore store(backend, kEnv);
  store.Load();
  EXPECT_EQ(store.options().InterfaceLang, 7);
}

TEST(SettingsStore, SaveWritesEveryFieldInTableOrder) {
  MemorySettingsBackend backend;
  SettingsStore store(backend, kEnv);
  store.options().CurrentBoxWord = u"a";
  backend.ClearLog();
  store.Save();
  ASSERT_EQ(backend.log().size(), kStoredFieldCount);
  for (std::size_t i = 0; i < kStoredFieldCount; ++i) {
    EXPECT_EQ(backend.log()[i], "write " + std::string(GlobalInfoTable()[i].name));
  }
}

TEST(ToolbarsCoords, PackAndUnpackRoundTrip) {
  ToolbarsCoordsRecord c{-5, 70000, false, 3, -1, true};
  const auto bytes = c.Pack();
  EXPECT_EQ(ToolbarsCoordsRecord::Unpack(bytes.data()), c);
  std::array<std::uint8_t, 18> odd = bytes;
  odd[8] = 0x80;  // any non-zero visibility byte is visible
  EXPECT_TRUE(ToolbarsCoordsRecord::Unpack(odd.data()).mainVisible);
}

TEST(GlobalInfo, TableFollowsTheRecordAndItsKinds) {
  const auto& t = GlobalInfoTable();
  EXPECT_EQ(t.front().name, "FirstRun");
  EXPECT_EQ(t.back().name, "WindowState");
  int wide = 0;
  for (const auto& d : t) {
    EXPECT_LE(d.name.size(), GlobalInfoRec::kNameMax);
    if (d.kind == StoreKind::ByteBlock) {
      EXPECT_EQ(d.size, 18);
    }
    if (d.kind == StoreKind::WideText) {
      ++wide;
      EXPECT_EQ(d.lengthField, &OptionsRecord::CurrentBoxWordLen);
    }
  }
  EXPECT_EQ(wide, 1);
  // The length is loaded before the text it measures.
  EXPECT_EQ(t[15].name, "CurrentBoxWordLen");
  EXPECT_EQ(t[16].name, "CurrentBoxWord");
}

}  // namespace
}  // namespace lexmora
