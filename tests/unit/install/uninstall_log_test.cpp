// The uninstall log is read by the uninstaller, so its bytes are checked
// whole: record order, CR LF, the fixed entries, the folder walk and the end.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include "install/uninstall_registration.h"
#include "install_test_support.h"
#include "format/uninstall_key.h"

namespace {

using install_test::InstallTest;
using install_test::Lines;
using install_test::Script;
using install_test::UninstallSections;
using platform::RegistryRoot;

const std::string kUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quill Writer";

std::string FixedEntries(const std::string& folder) {
  return Lines({folder + "\\UnInstaller.exe", folder + "\\Remove Uninstaller.exe",
                folder + "\\Uninstallerpathtn.ini"});
}

// Message boxes that run a deed when the first one shows: another program
// at work in the installation folder while the file pass runs.
class ActingBoxes : public sim::SimMessageBoxes {
 public:
  bool Show(platform::MessageKind kind, const std::string& text) override {
    if (deed) std::exchange(deed, nullptr)();
    return sim::SimMessageBoxes::Show(kind, text);
  }

  std::function<void()> deed;
};

class UninstallLogTest : public InstallTest {
 protected:
  void StageUninstallers() {
    StageFile("UnInstaller.exe", "uninstaller");
    StageFile("Remove Uninstaller.exe", "remover");
  }
  static std::string InstallUninstallers() {
    return Lines({"[fls]", "1", "UnInstaller.exe|%InstallPath%\\UnInstaller.exe",
                  "Remove Uninstaller.exe|%InstallPath%\\Remove Uninstaller.exe", "[/fls]"});
  }
};

TEST_F(UninstallLogTest, QuillWriterExampleByteForByte) {
  StageUninstallers();
  // A folder that was there before is not the step's to record: with no
  // folder of its own making the log keeps exactly these bytes.
  ASSERT_TRUE(sim.files.MakeFolder("C:\\Program Files\\Acme"));
  ASSERT_TRUE(sim.files.MakeFolder(install_test::kInstallPath));
  StageScript(
      Script({InstallUninstallers(),
              Lines({"[shrt]", "Desktop|%InstallPath%\\writer.exe|%ProductName%", "[/shrt]"}),
              UninstallSections()}));
  Install();
  EXPECT_EQ(Log(),
            "Quill Writer\r\n"
            "C:\\Program Files\\Acme\\Quill Writer\\\r\n"
            "2.0\r\n"
            "Acme\r\n"
            "Uninstalling %ProductName% ...\r\n"
            "-NA-\r\n"
            "[files]\r\n"
            "C:\\Program Files\\Acme\\Quill Writer\\UnInstaller.exe\r\n"
            "C:\\Program Files\\Acme\\Quill Writer\\Remove Uninstaller.exe\r\n"
            "C:\\Program Files\\Acme\\Quill Writer\\Uninstallerpathtn.ini\r\n"
            "[/files]\r\n"
            "[shrt]\r\n"
            "Desktop|Quill Writer\r\n"
            "[/shrt]\r\n"
            "[regst]\r\n"
            "HKEY_LOCAL_MACHINE|SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quill "
            "Writer|\r\n"
            "[/regst]\r\n");
}

TEST_F(UninstallLogTest, EveryListedPathIsFollowedByTheThreeFixedEntries) {
  StageScript(
      Script({UninstallSections({"%InstallPath%\\Data\\a.ini", "C:\\Shared\\%ProductName%.dat"})}));
  Install();
  const std::string folder = install_test::kInstallPath;
  const std::string list = "[files]\r\n" + folder + "\\Data\\a.ini\r\n" + FixedEntries(folder) +
                           "C:\\Shared\\Quill Writer.dat\r\n" + FixedEntries(folder) +
                           "[/files]\r\n";
  EXPECT_NE(Log().find(list), std::string::npos) << Log();
}

TEST_F(UninstallLogTest, WholeFolderLineListsContentsBeforeEachFolderAndAgainWhenRepeated) {
  StageUninstallers();
  StageFile("a.txt", "a");
  StageFile("b.txt", "b");
  StageScript(Script({Lines({"[fls]", "1", "UnInstaller.exe|%InstallPath%\\UnInstaller.exe",
                             "Remove Uninstaller.exe|%InstallPath%\\Remove Uninstaller.exe",
                             "a.txt|%InstallPath%\\a.txt", "b.txt|%InstallPath%\\Sub\\Deep\\b.txt",
                             "Dir|%InstallPath%\\Empty", "[/fls]"}),
                      UninstallSections({"%InstallPath%", "%InstallPath%"})}));
  Install();
  const std::string f = std::string(install_test::kInstallPath) + "\\";
  // The file system's order; the log exists by now and lists itself.
  const std::string walk =
      Lines({f + "Empty\\", f + "Remove Uninstaller.exe", f + "Sub\\Deep\\b.txt", f + "Sub\\Deep\\",
             f + "Sub\\", f + "UnInstaller.exe", f + "Uninstallerpathtn.ini", f + "a.txt"});
  const std::string fixed = FixedEntries(install_test::kInstallPath);
  EXPECT_NE(Log().find("[files]\r\n" + walk + fixed + walk + fixed + "[/files]"), std::string::npos)
      << Log();
}

TEST_F(UninstallLogTest, DriveRootGivesDoubledBackslashes) {
  StageScript(Script({UninstallSections()}));
  Install("C:\\");
  const std::string log = sim.ReadFile("C:\\Uninstallerpathtn.ini").value_or("");
  EXPECT_EQ(log.rfind("Quill Writer\r\nC:\\\\\r\n2.0\r\n", 0), 0u) << log;
  EXPECT_NE(log.find("[files]\r\n" + FixedEntries("C:\\")), std::string::npos) << log;
}

TEST_F(UninstallLogTest, LinksInsideTheFolderAreRecordedAsThemselvesNeverEntered) {
  // A junction to the user's documents and a link to a system file, put
  // into the installation folder while setup runs (an entry for a missing
  // drive makes the pass show a box then): the uninstaller must remove the
  // links, not what they name.
  ASSERT_TRUE(sim.WriteFile("C:\\users\\tester\\Documents\\thesis.doc", "years of work"));
  ASSERT_TRUE(sim.WriteFile("C:\\Windows\\win.ini", "[windows]"));
  const std::string f = std::string(install_test::kInstallPath) + "\\";
  ActingBoxes boxes;
  boxes.deed = [&] {
    ASSERT_TRUE(sim.WriteFile(f + "Data\\keep.dat", "data"));
    std::filesystem::create_directory_symlink(sim.files.NativePath("C:\\users\\tester\\Documents"),
                                              sim.files.NativePath(f + "Docs"));
    std::filesystem::create_symlink(sim.files.NativePath("C:\\Windows\\win.ini"),
                                    sim.files.NativePath(f + "Data\\win.ini"));
  };
  StageFile("gone.txt", "never installed");
  StageScript(Script({Lines({"[fls]", "1", "gone.txt|Q:\\gone.txt", "[/fls]"}),
                      UninstallSections({"%InstallPath%"})}));
  platform::Platform acting{sim.files, sim.registry, sim.machine, sim.shell, boxes, sim.filesInUse};
  install::InstallRequest request;
  request.installPath = install_test::kInstallPath;
  request.productName = wizard.productName;
  install::RunInstallingStep(acting, expander, page, {}, request, programGroup);
  ASSERT_FALSE(boxes.deed);
  const std::string walk = Lines({f + "Data\\keep.dat", f + "Data\\win.ini", f + "Data\\",
                                  f + "Docs\\", f + "Uninstallerpathtn.ini"});
  EXPECT_NE(Log().find("[files]\r\n" + walk + FixedEntries(install_test::kInstallPath)),
            std::string::npos)
      << Log();
  EXPECT_EQ(Log().find("thesis.doc"), std::string::npos);
}

TEST_F(UninstallLogTest, TheWholeFolderLineLeavesOutWhatTheFolderHeldBeforeButWhatSetupReplaced) {
  // Installed into the user's documents: the user's file and folder of
  // letters were there before and are never the product's; the note that a
  // file of the product replaced is the product's now.
  const std::string f = "C:\\users\\tester\\Documents\\";
  ASSERT_TRUE(sim.WriteFile(f + "thesis.doc", "years of work"));
  ASSERT_TRUE(sim.WriteFile(f + "Letters\\mum.txt", "dear mum"));
  ASSERT_TRUE(sim.WriteFile(f + "readme.txt", "a note of the same name"));
  StageFile("readme.txt", "the product's");
  StageFile("a.txt", "a");
  StageScript(Script({Lines({"[fls]", "1", "readme.txt|%InstallPath%\\readme.txt",
                             "a.txt|%InstallPath%\\Letters\\New\\a.txt", "[/fls]"}),
                      UninstallSections({"%InstallPath%"})}));
  Install("C:\\users\\tester\\Documents");
  const std::string walk = Lines({f + "Letters\\New\\a.txt", f + "Letters\\New\\",
                                  f + "Uninstallerpathtn.ini", f + "readme.txt"});
  EXPECT_NE(
      Log().find("[files]\r\n" + walk + FixedEntries("C:\\users\\tester\\Documents") + "[/files]"),
      std::string::npos)
      << Log();
}

TEST_F(UninstallLogTest, AnUpgradeKeepsTheInstalledVersionsFilesButNeverTheUsersOwn) {
  const std::string f = std::string(install_test::kInstallPath) + "\\";
  StageFile("a.txt", "a");
  StageFile("old.txt", "only in the installed version");
  StageScript(Script({Lines({"[fls]", "1", "a.txt|%InstallPath%\\a.txt",
                             "old.txt|%InstallPath%\\old.txt", "[/fls]"}),
                      UninstallSections({"%InstallPath%"})}));
  Install();
  // Saved into the folder after the installation, and not the product's.
  ASSERT_TRUE(sim.WriteFile(f + "mine.txt", "the user's"));
  StageScript(Script({Lines({"[fls]", "1", "a.txt|%InstallPath%\\a.txt", "[/fls]"}),
                      UninstallSections({"%InstallPath%"})}));
  Install();
  const std::string log = Log();
  EXPECT_NE(
      log.find("[files]\r\n" + Lines({f + "a.txt"}) + FixedEntries(install_test::kInstallPath) +
               Lines({f + "old.txt"}) + "[/files]"),
      std::string::npos)
      << log;
  EXPECT_EQ(log.find("mine.txt"), std::string::npos) << log;
}

TEST_F(UninstallLogTest, TheWholeFolderLineRecordsNothingForADriveRootOrASharedFolder) {
  ASSERT_TRUE(sim.WriteFile("C:\\pagefile.sys", "the system's"));
  ASSERT_TRUE(sim.WriteFile("C:\\Windows\\system32\\kernel32.dll", "the system's"));
  ASSERT_TRUE(sim.WriteFile("C:\\Program Files\\Other\\other.exe", "another product"));
  ASSERT_TRUE(sim.WriteFile("C:\\users\\tester\\Documents\\thesis.doc", "years of work"));
  for (const std::string folder :
       {"C:\\", "C:\\Windows", "c:\\windows\\SYSTEM32\\", "C:\\Program Files",
        "C:\\Program Files (x86)", "C:\\users\\tester"}) {
    SCOPED_TRACE(folder);
    StageScript(Script({UninstallSections({"%InstallPath%"})}));
    // Each a fresh installation, not an upgrade over the one before.
    sim.registry.DeleteValue(RegistryRoot::LocalMachine, kUninstallKey, "InstallLocation");
    Install(folder);
    const std::string log = Log();
    // Straight to the fixed entries: nothing of the folder's own.
    EXPECT_NE(log.find("[files]\r\n" + FixedEntries(folder) + "[/files]"), std::string::npos)
        << log;
    for (const char* name : {"pagefile.sys", "kernel32.dll", "other.exe", "thesis.doc"}) {
      EXPECT_EQ(log.find(name), std::string::npos) << name;
    }
  }
  // One level below, the folder is listed again, but for what another
  // product put there before.
  StageScript(Script({UninstallSections({"%InstallPath%"})}));
  Install("C:\\Program Files\\Other");
  EXPECT_NE(Log().find("[files]\r\nC:\\Program Files\\Other\\Uninstallerpathtn.ini\r\n"),
            std::string::npos)
      << Log();
  EXPECT_EQ(Log().find("other.exe"), std::string::npos) << Log();
}

TEST_F(UninstallLogTest, RemovalRegistryLinesAreExpandedTrimmedAndNeverWritten) {
  StageScript(Script({UninstallSections(),
                      Lines({"[uninst_reg]",
                             " HKEY_CURRENT_USER |  Software\\%CompanyName%\\%ProductName% \t| "
                             "%ProductName% Dir |ignored|",
                             "HKEY_USERS|OnlyKey", "no bars at all", "[/uninst_reg]"})}));
  const std::size_t valuesBefore = sim.registry.ValueCount();
  Install();
  EXPECT_NE(Log().find("[/shrt]\r\n[regst]\r\n"
                       "HKEY_CURRENT_USER|Software\\Acme\\Quill Writer|Quill Writer Dir|\r\n"
                       "HKEY_USERS|||\r\n"
                       "|||\r\n"
                       "HKEY_LOCAL_MACHINE|" +
                       kUninstallKey + "|\r\n[/regst]\r\n"),
            std::string::npos)
      << Log();
  // Only the six values of the uninstall registration, the log's digest and
  // the seven of the programs list were added.
  EXPECT_EQ(sim.registry.ValueCount(), valuesBefore + 14);
}

TEST_F(UninstallLogTest, ScriptEndingInsideTheRemovalPathsEndsTheListThere) {
  StageScript(Script(
      {Lines({"[uninst_gene]", "one", "two", "[/uninst_gene]", "[uninst_fls]", "C:\\last.txt"})}));
  Install();
  EXPECT_NE(Log().find("one\r\ntwo\r\n[files]\r\nC:\\last.txt\r\n" +
                       FixedEntries(install_test::kInstallPath) + "[/files]\r\n[shrt]\r\n"),
            std::string::npos)
      << Log();
}

TEST_F(UninstallLogTest, LongProductNameCutsTheKeyAlikeInLogAndRegistry) {
  wizard.productName = std::string(230, 'P');
  StageScript(Script({UninstallSections()}));
  Install();
  const std::string key = format::UninstallKey(wizard.productName);
  ASSERT_EQ(key.size(), 259u);
  EXPECT_EQ(key,
            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + std::string(207, 'P'));
  EXPECT_NE(Log().find("HKEY_LOCAL_MACHINE|" + key + "|\r\n"), std::string::npos);
  const auto name = Value(RegistryRoot::LocalMachine, key, "DisplayName");
  ASSERT_TRUE(name.has_value());
  EXPECT_EQ(name->data, install_test::StringValue(wizard.productName));  // the name itself is whole
}

TEST_F(UninstallLogTest, ProductNameThatNamesNoKeyRegistersNothing) {
  EXPECT_EQ(format::UninstallKey(""), "");
  EXPECT_EQ(format::UninstallKey("\\\\"), "");
  wizard.productName = "";
  StageScript(Script({UninstallSections()}));
  const std::size_t valuesBefore = sim.registry.ValueCount();
  Install();
  EXPECT_EQ(sim.registry.ValueCount(), valuesBefore);
  const std::string log = Log();
  EXPECT_TRUE(log.ends_with("[/shrt]\r\n[regst]\r\n[/regst]\r\n")) << log;
}

}  // namespace
#endif
