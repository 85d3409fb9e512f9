// Staged files moved into place where nothing needs them afterwards, copied
// where something does or where a move cannot get there (another drive).
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "install/file_pass.h"
#include "install_test_support.h"

namespace {

class StagedFilePlacementTest : public install_test::InstallTest {
 protected:
  // Staged as the extraction stages: held until moved or deleted.
  void StageHeld(const std::string& name, const std::string& bytes) {
    const std::string staging = Staging();
    sim.files.MakeFolder(staging.substr(0, staging.size() - 1));
    std::FILE* file = sim.files.CreateStagedFile(Staging() + name);
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  void RunPass(const std::string& entries) {
    StageScript(install_test::Script(
        {install_test::Lines({"[fls]", "1"}), entries, install_test::Lines({"[/fls]"})}));
    install::RunFilePass(host, expander);
  }
  bool Staged(const std::string& name) { return sim.files.Exists(Staging() + name); }
};

TEST_F(StagedFilePlacementTest, MovesTheLastUseAndCopiesTheScriptAndEarlierUses) {
  StageHeld("a.dll", "bytes of a");
  StageHeld("b.dll", "bytes of b");
  RunPass(install_test::Lines({"a.dll|C:\\App\\a.dll", "b.dll|C:\\App\\b1.dll",
                               "b.dll|C:\\App\\b2.dll", "log_file.txt|C:\\App\\script.txt"}));
  EXPECT_EQ(sim.ReadFile("C:\\App\\a.dll"), "bytes of a");
  EXPECT_EQ(sim.ReadFile("C:\\App\\b1.dll"), "bytes of b");
  EXPECT_EQ(sim.ReadFile("C:\\App\\b2.dll"), "bytes of b");
  EXPECT_TRUE(sim.ReadFile("C:\\App\\script.txt").has_value());
  EXPECT_FALSE(Staged("a.dll"));
  EXPECT_FALSE(Staged("b.dll"));
  EXPECT_TRUE(Staged("log_file.txt"));  // read again until the run ends
  EXPECT_TRUE(Messages().empty());
}

TEST_F(StagedFilePlacementTest, CopiesToAnotherDrive) {
  sim.files.AddDrive('D', platform::DriveKind::Fixed);
  StageHeld("a.dll", "bytes of a");
  RunPass(install_test::Lines({"a.dll|D:\\App\\a.dll"}));
  EXPECT_EQ(sim.ReadFile("D:\\App\\a.dll"), "bytes of a");
  EXPECT_TRUE(Staged("a.dll"));  // deleted with the other staged files at the end
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
#endif
