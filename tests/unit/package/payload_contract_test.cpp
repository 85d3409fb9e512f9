// Which entries are stored compressed: the markers that keep an entry plain,
// and the switch that each setup script sets for the entries after it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format/payload_contract.h"

namespace package {
namespace {

TEST(PayloadContract, PlainEntriesAreKnownByMarkersInTheirNames) {
  const char* const plain[] = {
      "log_file.txt", "old_log_file.txt.bak", "UnInstaller.exe",           "Remove Uninstaller.exe",
      "licence.lic",  "x.license.txt",        "MyUnInstaller.exe.manifest"};
  for (const std::string name : plain) EXPECT_TRUE(format::EntryStaysPlain(name)) << name;
  // The markers are case-sensitive.
  const char* const compressed[] = {"app.exe",      "uninstaller.exe", "Uninstaller.exe",
                                    "LOG_FILE.TXT", "x.LIC",           "logo.bmp"};
  for (const std::string name : compressed) EXPECT_FALSE(format::EntryStaysPlain(name)) << name;

  EXPECT_TRUE(format::IsSetupScript("log_file.txt"));
  EXPECT_FALSE(format::IsSetupScript("Log_File.txt"));
}

TEST(PayloadContract, MarkersAndTheScriptsFlag) {
  const std::vector<std::string> names = {
      "before.bin",      "log_file.txt",           "a.lic",           "my.license",
      "UnInstaller.exe", "Remove Uninstaller.exe", "uninstaller.exe", "x.bmp"};
  EXPECT_EQ(format::CompressedEntries(names, [](std::size_t) { return true; }),
            (std::vector<bool>{true, false, false, false, false, false, true, true}));
  // The switch is on until the script says otherwise.
  EXPECT_EQ(format::CompressedEntries(names, [](std::size_t) { return false; }),
            (std::vector<bool>{true, false, false, false, false, false, false, false}));
}

TEST(PayloadContract, OnlyTheNameDecidesNeverAFolderBeforeIt) {
  // A name is what both sides test; a staging folder such as a user's
  // "m.lichter" must not be put before it.
  EXPECT_FALSE(format::EntryStaysPlain("app.exe"));
  EXPECT_TRUE(format::EntryStaysPlain("C:\\Users\\m.lichter\\Temp\\$ddinstall\\app.exe"));
  EXPECT_EQ(format::CompressedEntries(std::vector<std::string>{"app.exe"},
                                      [](std::size_t) { return true; }),
            std::vector<bool>{true});
}

TEST(PayloadContract, EverySetupScriptSetsTheSwitchForTheEntriesAfterIt) {
  // Each entry whose name holds the script's name is asked for its flag, with
  // its own index, after its own decision.
  const std::vector<std::string> names = {"a.bin", "log_file.txt",     "b.bin", "old_log_file.txt",
                                          "c.bin", "log_file.txt.bak", "d.bin"};
  // The three scripts' flags: off, on, off.
  const std::vector<bool> flags = {false, false, false, true, false, false, false};
  std::vector<std::size_t> asked;
  const auto flag = [&](std::size_t index) {
    asked.push_back(index);
    return flags[index];
  };
  EXPECT_EQ(format::CompressedEntries(names, flag),
            (std::vector<bool>{true, false, false, false, true, false, false}));
  EXPECT_EQ(asked, (std::vector<std::size_t>{1, 3, 5}));

  // The switch alone gives the same answers entry by entry, and asks for the
  // flag only after a setup script.
  format::CompressionSwitch compression;
  std::vector<bool> oneByOne;
  std::size_t questions = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    oneByOne.push_back(compression.Compresses(names[i]));
    compression.AfterEntry(names[i], [&] {
      ++questions;
      return flags[i];
    });
  }
  EXPECT_EQ(oneByOne, (std::vector<bool>{true, false, false, false, true, false, false}));
  EXPECT_EQ(questions, 3u);
}

}  // namespace
}  // namespace package
