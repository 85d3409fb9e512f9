#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/browse_hook.h"
#include "scratch_folder.h"

namespace {

using platform_tests::ReadBytes;
using platform_tests::ScratchFolder;
using platform_tests::WriteBytes;

// A shell link file starts with its header size and the shell link CLSID.
bool IsShellLinkFile(const std::string& bytes) {
  static const unsigned char kHead[] = {0x4C, 0, 0,    0, 0x01, 0x14, 0x02, 0, 0, 0,
                                        0,    0, 0xC0, 0, 0,    0,    0,    0, 0, 0x46};
  return bytes.size() > sizeof kHead &&
         bytes.compare(0, sizeof kHead, reinterpret_cast<const char*>(kHead), sizeof kHead) == 0;
}

class ShellTest : public ::testing::Test {
 protected:
  platform::Platform& host = win32::Win32Platform();
  ScratchFolder scratch{host.files};
};

TEST_F(ShellTest, CreateLinkWritesAShellLinkToTheTarget) {
  ASSERT_TRUE(WriteBytes(scratch / "first.txt", "1"));
  ASSERT_TRUE(host.shell.CreateLink(scratch / "App.lnk", scratch / "first.txt"));
  const std::string bytes = ReadBytes(scratch / "App.lnk");
  EXPECT_TRUE(IsShellLinkFile(bytes));
  EXPECT_NE(bytes.find("first.txt"), std::string::npos);
}

TEST_F(ShellTest, CreateLinkAgainReplacesTheLink) {
  ASSERT_TRUE(WriteBytes(scratch / "first.txt", "1"));
  ASSERT_TRUE(WriteBytes(scratch / "second.txt", "2"));
  ASSERT_TRUE(host.shell.CreateLink(scratch / "App.lnk", scratch / "first.txt"));
  ASSERT_TRUE(host.shell.CreateLink(scratch / "App.lnk", scratch / "second.txt"));
  const std::string bytes = ReadBytes(scratch / "App.lnk");
  EXPECT_TRUE(IsShellLinkFile(bytes));
  EXPECT_NE(bytes.find("second.txt"), std::string::npos);
  EXPECT_EQ(bytes.find("first.txt"), std::string::npos);
}

TEST_F(ShellTest, CreateLinkInAMissingFolderMakesNothing) {
  ASSERT_TRUE(WriteBytes(scratch / "first.txt", "1"));
  EXPECT_FALSE(host.shell.CreateLink(scratch / "missing\\App.lnk", scratch / "first.txt"));
  EXPECT_FALSE(host.files.Exists(scratch / "missing"));
}

// For the harness: when SETUPKIT_LINK_OUT names a link file, a link to the
// system's notepad is left there for lnkinfo to read.
TEST(ShellHarnessTest, LinkLeftForInspection) {
  char out[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("SETUPKIT_LINK_OUT", out, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) GTEST_SKIP() << "SETUPKIT_LINK_OUT not set";
  platform::Platform& host = win32::Win32Platform();
  const std::string target = host.machine.WindowsFolder() + "\\notepad.exe";
  ASSERT_TRUE(host.files.Exists(target));
  EXPECT_TRUE(host.shell.CreateLink(std::string(out, length), target));
  std::printf("link %s -> %s\n", out, target.c_str());
}

// The browser's test hook answers without a window.
class BrowseAnswerTest : public ::testing::Test {
 protected:
  void TearDown() override { SetEnvironmentVariableA(win32::kBrowseAnswerVariable, nullptr); }
  bool Browse(const char* answer, std::string& chosen) {
    SetEnvironmentVariableA(win32::kBrowseAnswerVariable, answer);
    return win32::Win32Platform().shell.BrowseForFolder("Browse", "C:\\", chosen);
  }
};

TEST_F(BrowseAnswerTest, AnswerIsTheChosenFolder) {
  std::string chosen;
  ASSERT_TRUE(Browse("D:\\Apps", chosen));
  EXPECT_EQ(chosen, "D:\\Apps");
}

TEST_F(BrowseAnswerTest, EmptyOrCancelAnswerCancelsAndKeepsTheFolder) {
  std::string chosen = "C:\\kept";
  EXPECT_FALSE(Browse("<cancel>", chosen));
  EXPECT_FALSE(Browse("", chosen));
  EXPECT_FALSE(Browse(std::string(400, 'x').c_str(), chosen));
  EXPECT_EQ(chosen, "C:\\kept");
}

TEST_F(BrowseAnswerTest, AnswersAreTakenInTurnAndANewValueStartsAgain) {
  std::string chosen = "C:\\kept";
  SetEnvironmentVariableA(win32::kBrowseAnswerVariable, "Q:\\|<cancel>||C:\\Tools");
  platform::Shell& shell = win32::Win32Platform().shell;
  ASSERT_TRUE(shell.BrowseForFolder("Browse", "C:\\", chosen));
  EXPECT_EQ(chosen, "Q:\\");
  EXPECT_FALSE(shell.BrowseForFolder("Browse", "C:\\", chosen));
  EXPECT_FALSE(shell.BrowseForFolder("Browse", "C:\\", chosen));
  EXPECT_EQ(chosen, "Q:\\");
  ASSERT_TRUE(shell.BrowseForFolder("Browse", "C:\\", chosen));
  EXPECT_EQ(chosen, "C:\\Tools");
  // The list is used up; a fifth call would show the real browser.

  ASSERT_TRUE(Browse("D:\\Apps|C:\\", chosen));
  EXPECT_EQ(chosen, "D:\\Apps");
}

}  // namespace
