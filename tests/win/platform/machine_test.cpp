#include <gtest/gtest.h>

#include <windows.h>

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

TEST_F(MachineTest, MachineVariablesResolveAndRefuseOverlongResults) {
  EXPECT_TRUE(StartsWithIgnoringCase(machine.ExpandMachineVariables("%SystemRoot%\\x"),
                                     machine.WindowsFolder() + "\\x"));
  EXPECT_EQ(machine.ExpandMachineVariables("plain text"), "plain text");
  EXPECT_EQ(machine.ExpandMachineVariables("%NoSuchVariable_SetupKit%"),
            "%NoSuchVariable_SetupKit%");
  EXPECT_EQ(machine.ExpandMachineVariables("50% of %windir%"), "50% of " + machine.WindowsFolder());
  EXPECT_EQ(machine.ExpandMachineVariables(std::string(200, 'a') + "%SystemRoot%" +
                                           std::string(100, 'b')),
            "");
}

// A user's HKCU\Environment reaches an elevated program's environment: the
// machine's folders never come from it.
TEST_F(MachineTest, MachineVariablesIgnoreADecoyEnvironment) {
  const char* names[] = {"ProgramFiles",
                         "ProgramW6432",
                         "ProgramFiles(x86)",
                         "CommonProgramFiles",
                         "ProgramData",
                         "ALLUSERSPROFILE",
                         "PUBLIC",
                         "SystemRoot",
                         "windir",
                         "SystemDrive"};
  for (const char* name : names) {
    const std::string reference = std::string("%") + name + "%";
    char real[MAX_PATH] = {};
    GetEnvironmentVariableA(name, real, sizeof real);
    ASSERT_TRUE(SetEnvironmentVariableA(name, "Q:\\decoy"));
    const std::string expanded = machine.ExpandMachineVariables(reference);
    SetEnvironmentVariableA(name, real[0] != '\0' ? real : nullptr);
    EXPECT_EQ(expanded.find("decoy"), std::string::npos) << name;
    EXPECT_NE(expanded, reference) << name;
    std::printf("%s %s\n", reference.c_str(), expanded.c_str());
  }
  // The 64-bit folder, also for a 32-bit program.
  EXPECT_TRUE(files.IsFolder(machine.ExpandMachineVariables("%ProgramW6432%")));
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
