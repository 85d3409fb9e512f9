#include "unattended/logged_platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/sim/sim_platform.h"
#include "unattended/run_log.h"

namespace {

constexpr const char* kLogPath = "C:\\setup.log";

class LoggedPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(log.Open(sim.files, kLogPath)); }
  std::string LogText() { return sim.ReadFile(kLogPath).value_or("<no log>"); }

  sim::SimPlatform sim;
  unattended::RunLog log;
  unattended::LoggedPlatform host{sim.Get(), log};
};

TEST_F(LoggedPlatformTest, EachLineIsOnDiskAsSoonAsItIsWritten) {
  log.Line("first");
  EXPECT_EQ(LogText(), "first\r\n");
  log.Line("two\nlines\r\nas one");
  EXPECT_EQ(LogText(), "first\r\ntwo lines  as one\r\n");
}

TEST_F(LoggedPlatformTest, WithoutALogNothingIsWrittenAnywhere) {
  unattended::RunLog none;
  none.Line("lost");
  EXPECT_FALSE(none.IsOpen());
  EXPECT_FALSE(none.Open(sim.files, "Q:\\no drive\\setup.log"));
}

// A link or a second hard link planted under a log's name: the log is
// refused and the file they lead to stays as it was.
TEST_F(LoggedPlatformTest, LogNeverWritesThroughALinkOrIntoAHardLinkedFile) {
  ASSERT_TRUE(sim.WriteFile("C:\\Windows\\win.ini", "[fonts]\r\n"));
  const std::string target = sim.files.NativePath("C:\\Windows\\win.ini");
  std::filesystem::create_symlink(target, sim.files.NativePath("C:\\linked.log"));
  std::filesystem::create_hard_link(target, sim.files.NativePath("C:\\hard.log"));
  unattended::RunLog planted;
  EXPECT_FALSE(planted.Open(sim.files, "C:\\linked.log"));
  EXPECT_FALSE(planted.Open(sim.files, "C:\\hard.log"));
  EXPECT_EQ(sim.ReadFile("C:\\Windows\\win.ini"), "[fonts]\r\n");
  // A plain file of the name is emptied and written.
  ASSERT_TRUE(sim.WriteFile("C:\\plain.log", "old run"));
  ASSERT_TRUE(planted.Open(sim.files, "C:\\plain.log"));
  planted.Line("new");
  EXPECT_EQ(sim.ReadFile("C:\\plain.log"), "new\r\n");
}

TEST_F(LoggedPlatformTest, InteractiveBoxesAreShownAndLogged) {
  sim.messages.answers.push_back(false);
  EXPECT_FALSE(host.Show(platform::MessageKind::ExitQuestion, "Exit?"));
  EXPECT_TRUE(host.Show(platform::MessageKind::Warning, "Destination Folder Path Error"));
  ASSERT_EQ(sim.messages.shown.size(), 2u);
  EXPECT_EQ(LogText(), "Message: Exit?\r\nMessage: Destination Folder Path Error\r\n");
  // Neither the question nor the destination page's warning is a failure of
  // the installation.
  EXPECT_EQ(host.Failures(), 0u);
  host.Show(platform::MessageKind::Warning, "Unable to create file C:\\x");
  EXPECT_EQ(host.Failures(), 1u);
}

TEST_F(LoggedPlatformTest, QuietBoxesOnlyReachTheLog) {
  host.BeQuiet(true);
  EXPECT_TRUE(host.Show(platform::MessageKind::Warning, "Unable to create file C:\\x"));
  EXPECT_TRUE(sim.messages.shown.empty());
  EXPECT_EQ(host.Failures(), 1u);
  host.Sleep(200);
  EXPECT_EQ(sim.shell.sleptMilliseconds, 200u);  // /SILENT still paces its bar
  host.BeQuiet(false);
  host.Sleep(200);
  EXPECT_EQ(sim.shell.sleptMilliseconds, 200u);
}

TEST_F(LoggedPlatformTest, FailedWritesAreCountedAndLogged) {
  sim.registry.DenyWrites(platform::RegistryRoot::LocalMachine);
  platform::Platform seen = host.Get();
  EXPECT_FALSE(seen.registry.SetValue(platform::RegistryRoot::LocalMachine, "Software\\A", "V",
                                      platform::kRegSz, {'x', 0}));
  EXPECT_TRUE(seen.registry.SetValue(platform::RegistryRoot::CurrentUser, "Software\\A", "V",
                                     platform::kRegSz, {'x', 0}));
  EXPECT_FALSE(seen.files.CopyOver("C:\\missing", "C:\\copy"));
  EXPECT_FALSE(seen.files.MakeFolder("Q:\\nowhere"));
  EXPECT_FALSE(seen.shell.CreateLink("Q:\\nowhere\\a.lnk", "C:\\a.exe"));
  EXPECT_EQ(seen.files.OpenFile("Q:\\x.ini", "w+b"), nullptr);
  // A script read that misses is not the installation's failure.
  EXPECT_EQ(seen.files.OpenFile("C:\\absent.txt", "rb"), nullptr);
  EXPECT_EQ(host.Failures(), 5u);
  EXPECT_EQ(LogText(),
            "Failed: Registry value: HKEY_LOCAL_MACHINE\\Software\\A | V\r\n"
            "Registry value: HKEY_CURRENT_USER\\Software\\A | V\r\n"
            "Failed: File copied: C:\\copy\r\n"
            "Failed: Folder made: Q:\\nowhere\r\n"
            "Failed: Link: Q:\\nowhere\\a.lnk -> C:\\a.exe\r\n"
            "Failed: File written: Q:\\x.ini\r\n");
}

}  // namespace
