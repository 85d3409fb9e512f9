#include "unattended/command_line.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "unattended/switches.h"

namespace {

using install::Display;
using unattended::CommandLine;
using unattended::ParseCommandLine;

TEST(CommandLine, NoArgumentsLeaveTheInteractiveRun) {
  for (const char* raw : {"setup.exe", "\"C:\\My Files\\setup.exe\"", "setup.exe   ", ""}) {
    const CommandLine line = ParseCommandLine(raw);
    EXPECT_EQ(line.display, Display::Full) << raw;
    EXPECT_TRUE(line.installFolder.empty()) << raw;
    EXPECT_FALSE(line.logWanted) << raw;
    EXPECT_FALSE(line.showHelp) << raw;
    EXPECT_EQ(line.error, "") << raw;
  }
}

TEST(CommandLine, SilentSwitchesInAnyCaseAndTheQuieterWins) {
  EXPECT_EQ(ParseCommandLine("setup.exe /S").display, Display::None);
  EXPECT_EQ(ParseCommandLine("setup.exe /verysilent").display, Display::None);
  EXPECT_EQ(ParseCommandLine("setup.exe /Silent").display, Display::ProgressOnly);
  EXPECT_EQ(ParseCommandLine("setup.exe /S /SILENT").display, Display::None);
  EXPECT_EQ(ParseCommandLine("setup.exe /SILENT /S").display, Display::None);
  // The program's own name is never taken for a switch.
  EXPECT_EQ(ParseCommandLine("\"/S\" /SILENT").display, Display::ProgressOnly);
}

TEST(CommandLine, DTakesTheRestOfTheLineWithItsSpaces) {
  CommandLine line = ParseCommandLine("\"C:\\x\\setup.exe\" /S /D=C:\\Program Files\\My App  ");
  EXPECT_EQ(line.display, Display::None);
  EXPECT_EQ(line.installFolder, "C:\\Program Files\\My App");
  EXPECT_EQ(line.error, "");
  // What looks like a switch after /D= belongs to the folder: /D= is last.
  line = ParseCommandLine("setup.exe /D=C:\\Odd /S Name");
  EXPECT_EQ(line.installFolder, "C:\\Odd /S Name");
  EXPECT_EQ(line.display, Display::Full);
  // Quoted as a whole argument, as some launchers pass it, it ends at its
  // quote and must still be the last argument.
  line = ParseCommandLine("setup.exe /S \"/D=C:\\Program Files\\App\"");
  EXPECT_EQ(line.installFolder, "C:\\Program Files\\App");
  EXPECT_EQ(line.error, "");
  EXPECT_NE(ParseCommandLine("setup.exe \"/D=C:\\App\" /S").error, "");
}

TEST(CommandLine, DirTakesAQuotedFolderAnywhere) {
  CommandLine line = ParseCommandLine("setup.exe /DIR=\"D:\\Tools\\My App\\\" /SILENT");
  EXPECT_EQ(line.installFolder, "D:\\Tools\\My App");  // trailing backslash dropped
  EXPECT_EQ(line.display, Display::ProgressOnly);
  EXPECT_EQ(line.error, "");
  EXPECT_EQ(ParseCommandLine("setup.exe /dir=E:\\App").installFolder, "E:\\App");
}

TEST(CommandLine, FoldersThatCannotBeAnInstallationFolderAreRefused) {
  for (const char* raw : {"setup.exe /D=relative\\folder", "setup.exe /D=C:\\",
                          "setup.exe /DIR=C:", "setup.exe /DIR=\\\\server\\share\\app",
                          "setup.exe /D=C:\\a<b", "setup.exe /D=C:\\a:b", "setup.exe /DIR="}) {
    EXPECT_NE(ParseCommandLine(raw).error, "") << raw;
  }
  const std::string longest = "C:\\" + std::string(234, 'a');  // 237 characters
  EXPECT_EQ(ParseCommandLine("setup.exe /D=" + longest).error, "");
  EXPECT_NE(ParseCommandLine("setup.exe /D=" + longest + "a").error, "");
}

TEST(CommandLine, LogWithAndWithoutAFile) {
  CommandLine line = ParseCommandLine("setup.exe /LOG");
  EXPECT_TRUE(line.logWanted);
  EXPECT_EQ(line.logPath, "");
  line = ParseCommandLine("setup.exe /log=\"C:\\Logs\\my setup.log\" /S");
  EXPECT_TRUE(line.logWanted);
  EXPECT_EQ(line.logPath, "C:\\Logs\\my setup.log");
  EXPECT_NE(ParseCommandLine("setup.exe /LOG=").error, "");
}

TEST(CommandLine, UnknownArgumentsAreRefusedByName) {
  EXPECT_EQ(ParseCommandLine("setup.exe /Q").error, "Unknown argument \"/Q\".");
  EXPECT_EQ(ParseCommandLine("setup.exe /S stray").error, "Unknown argument \"stray\".");
  // The first fault is the one reported; the rest is still read.
  const CommandLine line = ParseCommandLine("setup.exe /X /Y /?");
  EXPECT_EQ(line.error, "Unknown argument \"/X\".");
  EXPECT_TRUE(line.showHelp);
}

TEST(CommandLine, SwitchesDeploymentToolsPassByHabitAreAccepted) {
  const CommandLine line =
      ParseCommandLine("setup.exe /sp- /SUPPRESSMSGBOXES /NoCancel /ALLUSERS /VERYSILENT");
  EXPECT_EQ(line.error, "");
  EXPECT_TRUE(line.noStartQuestion && line.suppressMessageBoxes && line.noCancel && line.allUsers);
  EXPECT_FALSE(ParseCommandLine("setup.exe /S").allUsers);
  EXPECT_EQ(ParseCommandLine("setup.exe /ALLUSERS=1").error, "Unknown argument \"/ALLUSERS=1\".");
}

// The manual's table of switches names every switch of the switch table and
// no other: each name in its first column up to its "=" ("/D=" of
// "/D=FOLDER").
TEST(CommandLine, TheManualNamesTheSwitchesOfTheTable) {
  std::ifstream manual(SETUPKIT_COMMAND_LINE_MANUAL);
  ASSERT_TRUE(manual.good()) << "cannot read " << SETUPKIT_COMMAND_LINE_MANUAL;
  std::set<std::string> documented;
  for (std::string row; std::getline(manual, row);) {
    if (!row.starts_with("| `/")) continue;
    const std::string names = row.substr(0, row.find('|', 1));
    for (std::size_t open = names.find('`'); open != std::string::npos;) {
      const std::size_t close = names.find('`', open + 1);
      std::string name = names.substr(open + 1, close - open - 1);
      const std::size_t equals = name.find('=');
      if (equals != std::string::npos) name.erase(equals + 1);
      documented.insert(name);
      open = names.find('`', close + 1);
    }
  }
  std::set<std::string> table;
  for (const unattended::Switch& known : unattended::Switches()) table.insert(known.name);
  EXPECT_EQ(documented, table);
}

TEST(CommandLine, DefaultLogIsNamedAfterTheSetupProgram) {
  EXPECT_EQ(unattended::DefaultLogPath("C:\\Temp\\", "\"C:\\Down loads\\QuillSetup.exe\" /LOG"),
            "C:\\Temp\\QuillSetup.log");
  EXPECT_EQ(unattended::DefaultLogPath("C:\\Temp\\", "QuillSetup /LOG"),
            "C:\\Temp\\QuillSetup.log");
  EXPECT_EQ(unattended::DefaultLogPath("C:\\Temp\\", "a.b\\setup.x.exe"), "C:\\Temp\\setup.x.log");
  EXPECT_EQ(unattended::DefaultLogPath("C:\\Temp\\", ""), "C:\\Temp\\setup.log");
}

}  // namespace
