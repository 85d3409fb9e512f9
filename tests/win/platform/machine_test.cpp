#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>

#include "platform/win32/win32_platform.h"

namespace {

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

class MachineTest : public ::testing::Test {
 protected:
  platform::Machine& machine = win32::Win32Platform().machine;
  platform::FileSystem& files = win32::Win32Platform().files;
};

TEST_F(MachineTest, NamesOfUserComputerAndLanguage) {
  std::string user;
  std::string computer;
  std::string language;
  ASSERT_TRUE(machine.UserName(user));
  ASSERT_TRUE(machine.ComputerName(computer));
  ASSERT_TRUE(machine.LanguageName(language));
  EXPECT_FALSE(user.empty());
  EXPECT_FALSE(computer.empty());
  EXPECT_LE(computer.size(), 15u);
  EXPECT_FALSE(language.empty());
  std::printf("user %s, computer %s, language %s\n", user.c_str(), computer.c_str(),
              language.c_str());
}

TEST_F(MachineTest, WindowsAndSystemFoldersExist) {
  const std::string windows = machine.WindowsFolder();
  const std::string system = machine.SystemFolder();
  EXPECT_TRUE(files.IsFolder(windows)) << windows;
  EXPECT_TRUE(files.IsFolder(system)) << system;
  EXPECT_TRUE(StartsWithIgnoringCase(system, windows + "\\")) << system;
  std::printf("windows %s, system %s\n", windows.c_str(), system.c_str());
}

TEST_F(MachineTest, ExpandEnvironmentResolvesReferencesAndRefusesOverlongResults) {
  EXPECT_TRUE(StartsWithIgnoringCase(machine.ExpandEnvironment("%SystemRoot%\\x"),
                                     machine.WindowsFolder() + "\\x"));
  EXPECT_EQ(machine.ExpandEnvironment("plain text"), "plain text");
  EXPECT_EQ(machine.ExpandEnvironment("%NoSuchVariable_SetupKit%"), "%NoSuchVariable_SetupKit%");
  EXPECT_EQ(
      machine.ExpandEnvironment(std::string(200, 'a') + "%SystemRoot%" + std::string(100, 'b')),
      "");
}

// Every folder the path variables name, with the create flag they pass.
TEST_F(MachineTest, ShellFoldersAreExistingFolders) {
  const int folders[] = {platform::kCsidlDesktopDirectory, platform::kCsidlPrograms,
                         platform::kCsidlStartMenu,        platform::kCsidlFavorites,
                         platform::kCsidlStartup,          platform::kCsidlTemplates,
                         platform::kCsidlAppData};
  for (int csidl : folders) {
    const std::string path = machine.FolderPath(csidl | platform::kCsidlFlagCreate);
    EXPECT_TRUE(files.IsFolder(path)) << "CSIDL " << csidl << ": '" << path << "'";
    EXPECT_NE(path.back(), '\\') << path;
    std::printf("CSIDL 0x%02X %s\n", static_cast<unsigned>(csidl), path.c_str());
  }
}

// The folders shortcuts go to, resolved through item lists, agree with the
// folder paths.
TEST_F(MachineTest, SpecialFolderLocationsOfTheShortcutFolders) {
  const struct {
    int location;
    int folder;
  } pairs[] = {{platform::kCsidlDesktop, platform::kCsidlDesktopDirectory},
               {platform::kCsidlPrograms, platform::kCsidlPrograms},
               {platform::kCsidlStartMenu, platform::kCsidlStartMenu},
               {platform::kCsidlAppData, platform::kCsidlAppData}};
  for (const auto& pair : pairs) {
    const std::string path = machine.SpecialFolderLocation(pair.location);
    EXPECT_TRUE(files.IsFolder(path)) << "CSIDL " << pair.location << ": '" << path << "'";
    EXPECT_EQ(path, machine.FolderPath(pair.folder));
  }
}

}  // namespace
