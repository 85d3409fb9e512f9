// The path variables on a real Win32 machine (Wine in the test runs): every
// machine variable gives a value of its kind, and the folder variables name
// folders that exist. Also reads a CR LF script through the C run-time.
#ifdef _WIN32
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <string>

#include "platform/win32/win32_platform.h"
#include "script/path_variables.h"
#include "script/script_rules.h"

namespace {

class FixedWizard : public script::WizardValues {
 public:
  std::string ProductName() override { return "Quill Writer"; }
  std::string ProductVersion() override { return "2.0"; }
  std::string CompanyName() override { return "Acme"; }
  std::string InstallPath() override { return {}; }
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && Lower(text.substr(text.size() - end.size())) == Lower(end);
}

bool Below(const std::string& path, const std::string& folder) {
  return Lower(path).rfind(Lower(folder) + "\\", 0) == 0;
}

class Win32PathVariables : public ::testing::Test {
 protected:
  platform::Platform& host = win32::Win32Platform();
  FixedWizard wizard;
  script::PathExpander expander{wizard, host.registry, host.machine, host.files};

  std::string Expand(const char* name) {
    const std::string value = expander.ExpandPathVariables(name);
    std::printf("%-16s %s\n", name, value.c_str());
    return value;
  }
};

TEST_F(Win32PathVariables, NamesOfTheMachine) {
  for (const char* name : {"%UserName%", "%ComputerName%", "%Language%"}) {
    const std::string value = Expand(name);
    EXPECT_FALSE(value.empty()) << name;
    EXPECT_EQ(value.find('\\'), std::string::npos) << name;
    // An unknown variable would come back as its bare name.
    EXPECT_NE("%" + value + "%", std::string(name)) << name;
  }
  EXPECT_LE(Expand("%ComputerName%").size(), 15u);
}

TEST_F(Win32PathVariables, FolderVariablesNameExistingFoldersOfTheirKind) {
  const std::string windows = Expand("%WindowDir%");
  const std::string system = Expand("%SystemDir%");
  const std::string programFiles = Expand("%ProgramFiles%");
  const std::string commonFiles = Expand("%CommonFiles%");
  const std::string temp = Expand("%TempDir%");
  const std::string desktop = Expand("%Desktop%");
  const std::string startMenu = Expand("%StartMenu%");
  const std::string programs = Expand("%ProgramDir%");
  const std::string startup = Expand("%Startup%");
  const std::string favorites = Expand("%Favorites%");
  const std::string templates = Expand("%Templates%");
  const std::string appData = Expand("%AppData%");

  for (const std::string* folder :
       {&windows, &system, &programFiles, &commonFiles, &temp, &desktop, &startMenu, &programs,
        &startup, &favorites, &templates, &appData}) {
    ASSERT_FALSE(folder->empty());
    EXPECT_EQ(folder->find('%'), std::string::npos) << *folder;  // environment references resolved
    EXPECT_TRUE(host.files.IsFolder(*folder)) << *folder;
  }
  EXPECT_TRUE(Below(system, windows)) << system;
  EXPECT_NE(Lower(programFiles).find("program files"), std::string::npos) << programFiles;
  EXPECT_EQ(commonFiles, programFiles + "\\Common Files");
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_TRUE(EndsWith(desktop, "\\Desktop")) << desktop;
  EXPECT_TRUE(EndsWith(startMenu, "\\Start Menu")) << startMenu;
  EXPECT_TRUE(Below(programs, startMenu)) << programs;
  EXPECT_TRUE(Below(startup, programs)) << startup;
  // The per-user folders share the user's profile with the desktop.
  const std::string profile = desktop.substr(0, desktop.rfind('\\'));
  for (const std::string* folder : {&appData, &favorites, &startMenu}) {
    EXPECT_TRUE(Below(*folder, profile)) << *folder;
  }
  EXPECT_TRUE(EndsWith(favorites, "\\Favorites")) << favorites;
  EXPECT_TRUE(EndsWith(templates, "\\Templates")) << templates;
}

TEST_F(Win32PathVariables, CrLfScriptThroughTheRunTime) {
  const std::string path =
      host.files.TempFolder() + "setupkit-script-" + std::to_string(GetCurrentProcessId()) + ".txt";
  std::FILE* file = host.files.OpenFile(path, "wb");
  ASSERT_NE(file, nullptr);
  const std::string script =
      "Quill Writer\r\n%ProductName% %ProductVersion% Installation Wizard\r\n2.0\r\nAcme\r\n"
      "-N-A-\r\n[inst_path]\r\n%ProgramFiles%\\%CompanyName%\\%ProductName%\r\n0\r\n";
  std::fwrite(script.data(), 1, script.size(), file);
  std::fclose(file);

  const script::WizardHeader header = script::ReadWizardHeader(host.files, path);
  host.files.RemoveFile(path);
  EXPECT_EQ(header.productName, "Quill Writer");
  EXPECT_EQ(header.noticeLine, "-N-A-");
  EXPECT_EQ(expander.ExpandPathVariables(header.wizardTitle),
            "Quill Writer 2.0 Installation Wizard");
  EXPECT_EQ(expander.ExpandPathVariables(header.installPathTemplate),
            script::ReadProgramFilesPath(host.registry, host.machine) + "\\Acme\\Quill Writer");
}

}  // namespace
#endif  // _WIN32
