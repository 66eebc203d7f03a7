// The agent's autostart entry is refreshed only when it exists and differs.
#include <gtest/gtest.h>

#include "dictionary/file_io.h"
#include "settings/autorun_entry.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

const char* kEntry =
    "[Desktop Entry]\n"
    "Type=Application\n"
    "Name=Lexmora agent\n"
    "Exec=/old/place/lexagent\n"
    "X-GNOME-Autostart-enabled=true\n"
    "\n"
    "[Desktop Action close]\n"
    "Exec=/old/place/lexagent OFF\n";

TEST(AutorunEntry, MissingEntryIsNotCreated) {
  test::TempDir dir;
  EXPECT_EQ(RefreshAutorunEntry(dir.path(), "/new/lexagent"), AutorunRefresh::NoEntry);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "lexagent.desktop"));
  EXPECT_EQ(RefreshAutorunEntry(dir.path() / "absent-folder", "/new/lexagent"), AutorunRefresh::NoEntry);
}

TEST(AutorunEntry, DifferentExecIsRewrittenAndTheRestKept) {
  test::TempDir dir;
  dir.Write("lexagent.desktop", kEntry);
  EXPECT_EQ(RefreshAutorunEntry(dir.path(), "/new/lexagent"), AutorunRefresh::Rewritten);
  std::string expected = kEntry;
  expected.replace(expected.find("Exec=/old/place/lexagent\n"), 25, "Exec=/new/lexagent\n");
  EXPECT_EQ(*ReadWholeFile(dir.path() / "lexagent.desktop"), expected);
  // A second refresh finds it current.
  EXPECT_EQ(RefreshAutorunEntry(dir.path(), "/new/lexagent"), AutorunRefresh::Unchanged);
}

TEST(AutorunEntry, ComparisonIsCaseSensitive) {
  test::TempDir dir;
  dir.Write("lexagent.desktop", "[Desktop Entry]\r\nExec = /Opt/lexagent\r\nName=x\r\n");
  EXPECT_EQ(RefreshAutorunEntry(dir.path(), "/Opt/lexagent"), AutorunRefresh::Unchanged);
  EXPECT_EQ(RefreshAutorunEntry(dir.path(), "/opt/lexagent"), AutorunRefresh::Rewritten);
  EXPECT_EQ(*ReadWholeFile(dir.path() / "lexagent.desktop"), "[Desktop Entry]\r\nExec=/opt/lexagent\r\nName=x\r\n");
}

TEST(AutorunEntry, EntryWithoutExecInItsMainGroupIsLeftAlone) {
  test::TempDir dir;
  const std::string text = "[Desktop Entry]\nName=x\n# Exec=/commented\n[Other]\nExec=/elsewhere\n";
  dir.Write("lexagent.desktop", text);
  EXPECT_EQ(RefreshAutorunEntry(dir.path(), "/new/lexagent"), AutorunRefresh::NoEntry);
  EXPECT_EQ(*ReadWholeFile(dir.path() / "lexagent.desktop"), text);
}

TEST(AutorunEntry, PathWithBlanksIsQuoted) {
  EXPECT_EQ(DesktopExecValue("/opt/lexmora/lexagent"), "/opt/lexmora/lexagent");
  EXPECT_EQ(DesktopExecValue("/home/a b/lexagent"), "\"/home/a b/lexagent\"");
  EXPECT_EQ(DesktopExecValue("/x/$y\\z"), "\"/x/\\$y\\\\z\"");
  EXPECT_EQ(DesktopExecValue("/x/100%/a"), "/x/100%%/a");

  test::TempDir dir;
  dir.Write("lexagent.desktop", "[Desktop Entry]\nExec=\"/home/a b/lexagent\"\n");
  EXPECT_EQ(RefreshAutorunEntry(dir.path(), "/home/a b/lexagent"), AutorunRefresh::Unchanged);
}

}  // namespace
}  // namespace lexmora
