// Reading the uninstall log as the installing step writes it.
#include <gtest/gtest.h>

#include "uninstall/uninstall_log_reader.h"
#include "uninstall_test_support.h"

namespace {

using uninstall_test::UninstallTest;

const std::string kFolder = uninstall_test::kInstallPath;

TEST_F(UninstallTest, ReadsBackEveryRecordTheInstallerWrote) {
  InstallQuillWriter();
  std::string why;
  const auto log = uninstall::ReadUninstallLog(sim.files, LogPath(), why);
  ASSERT_TRUE(log.has_value()) << why;
  EXPECT_EQ(log->productName, "Quill Writer");
  EXPECT_EQ(log->installPath, kFolder + "\\");
  EXPECT_EQ(log->version, "2.0");
  EXPECT_EQ(log->company, "Acme");
  EXPECT_EQ(log->generalLine1, "Uninstalling %ProductName% %ProductVersion% ...");
  EXPECT_EQ(log->generalLine2, "-NA-");
  ASSERT_GE(log->files.size(), 4u);
  EXPECT_EQ(log->files[0], kFolder + "\\writer.exe");
  EXPECT_EQ(log->files.back(), kFolder + "\\Uninstallerpathtn.ini");
  ASSERT_EQ(log->shortcuts.size(), 2u);
  EXPECT_EQ(log->shortcuts[1].location, "Program Group");
  EXPECT_EQ(log->shortcuts[1].name, "Quill Writer");
  ASSERT_EQ(log->registry.size(), 2u);
  EXPECT_EQ(log->registry[0].root, "HKEY_CURRENT_USER");
  EXPECT_EQ(log->registry[0].key, "Software\\Acme\\Quill Writer");
  EXPECT_EQ(log->registry[0].name, "InstallDir");
  EXPECT_EQ(log->registry[1].name, "");
  EXPECT_EQ(log->programGroup, "Quill Writer");
}

TEST_F(UninstallTest, EveryCutBeforeTheProgramGroupIsRefused) {
  InstallQuillWriter();
  const std::string text = Log();
  const std::size_t whole = text.rfind("[/regst]\r\n") + 10;
  for (std::size_t length = 0; length < whole; ++length) {
    std::string why;
    EXPECT_FALSE(uninstall::ParseUninstallLog(text.substr(0, length), why).has_value()) << length;
    EXPECT_FALSE(why.empty());
  }
  std::string why;
  const auto noGroup = uninstall::ParseUninstallLog(text.substr(0, whole), why);
  ASSERT_TRUE(noGroup.has_value()) << why;
  EXPECT_EQ(noGroup->programGroup, "");
}

TEST(UninstallLogReader, SectionsOutOfOrderOrTrailingTextAreRefused) {
  const std::string head = "P\r\nC:\\P\\\r\n1\r\nA\r\n-NA-\r\n-NA-\r\n";
  std::string why;
  EXPECT_TRUE(
      uninstall::ParseUninstallLog(
          head + "[files]\r\n[/files]\r\n[shrt]\r\n[/shrt]\r\n[regst]\r\n[/regst]\r\nG\r\n\r\n",
          why)
          .has_value())
      << why;
  EXPECT_FALSE(
      uninstall::ParseUninstallLog(
          head + "[shrt]\r\n[/shrt]\r\n[files]\r\n[/files]\r\n[regst]\r\n[/regst]\r\nG", why)
          .has_value());
  EXPECT_FALSE(
      uninstall::ParseUninstallLog(
          head + "[files]\r\n[/files]\r\n[shrt]\r\n[/shrt]\r\n[regst]\r\n[/regst]\r\nG\r\nmore",
          why)
          .has_value());
  EXPECT_EQ(why, "it holds more after the program group's name");
}

TEST(UninstallLogReader, RegistryRecordsKeepAnEmptyNameForTheKey) {
  std::string why;
  const auto log = uninstall::ParseUninstallLog(
      "P\r\nC:\\P\\\r\n1\r\nA\r\n-NA-\r\n-NA-\r\n[files]\r\n[/files]\r\n[shrt]\r\nno bar\r\n[/shrt]\r\n[regst]\r\n"
      "HKEY_USERS|K|V|\r\nHKEY_USERS|K|\r\nHKEY_USERS|K||\r\nlonely\r\n[/regst]\r\n",
      why);
  ASSERT_TRUE(log.has_value()) << why;
  EXPECT_TRUE(log->shortcuts.empty());
  ASSERT_EQ(log->registry.size(), 3u);
  EXPECT_EQ(log->registry[0].name, "V");
  EXPECT_EQ(log->registry[1].name, "");
  EXPECT_EQ(log->registry[2].name, "");
  EXPECT_EQ(log->registry[2].key, "K");
}

}  // namespace
