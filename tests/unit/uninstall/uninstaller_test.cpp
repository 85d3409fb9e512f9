// The uninstaller's whole run over a product the installing step installed.
#include <gtest/gtest.h>

#include "uninstall/own_files.h"
#include "uninstall/uninstall_texts.h"
#include "uninstall_test_support.h"
#include "format/uninstall_key.h"

namespace {

using platform::RegistryRoot;
using uninstall_test::UninstallTest;

const std::string kFolder = uninstall_test::kInstallPath;
const std::string kUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quill Writer";
const std::string kProductKey = "Software\\Acme\\Quill Writer";
const std::string kDesktopLink = std::string(install_test::kDesktopFolder) + "\\Quill Writer.lnk";
const std::string kGroupFolder = std::string(install_test::kProgramsFolder) + "\\Quill Writer";

TEST_F(UninstallTest, RemovesEverythingTheLogNamesAfterAsking) {
  InstallQuillWriter();
  ASSERT_TRUE(Exists(kDesktopLink));
  ASSERT_TRUE(sim.registry.KeyExists(RegistryRoot::LocalMachine, kUninstallKey));

  EXPECT_EQ(Uninstall(), uninstall::kRemoved);

  ASSERT_EQ(prompts.boxes.size(), 2u);
  EXPECT_EQ(prompts.boxes[0].kind, "confirm");
  EXPECT_EQ(prompts.boxes[0].caption, "Quill Writer Uninstall");
  EXPECT_EQ(
      prompts.boxes[0].text,
      "Uninstalling Quill Writer 2.0 ...\n\nDo you want to remove Quill Writer 2.0 and all of its "
      "components?");
  EXPECT_EQ(prompts.boxes[1].text, "Quill Writer 2.0 was removed from your computer.");

  for (const std::string& path :
       {kFolder + "\\writer.exe", kFolder + "\\Data\\writer.cfg", kFolder + "\\Data", kDesktopLink,
        kGroupFolder + "\\Quill Writer.lnk", kGroupFolder}) {
    EXPECT_FALSE(Exists(path)) << path;
  }
  EXPECT_TRUE(Exists(install_test::kProgramsFolder));
  EXPECT_FALSE(sim.registry.KeyExists(RegistryRoot::LocalMachine, kUninstallKey));
  EXPECT_FALSE(sim.registry.KeyExists(RegistryRoot::CurrentUser, kProductKey));
  // Its own three files wait for the remover, which takes the folder too.
  EXPECT_EQ(remover.started, std::vector<std::string>{kFolder});
  EXPECT_TRUE(Exists(kFolder + "\\UnInstaller.exe"));
  EXPECT_FALSE(uninstall::HoldsMoreThanOwnFiles(sim.files, kFolder));
}

// /ALLUSERS or SYSTEM: the links went into the all-users folders, the
// Start menu's below the common data folder, and are removed from there.
TEST_F(UninstallTest, AllUsersLinksAreRemovedFromTheAllUsersFolders) {
  linksForAllUsers = true;
  InstallQuillWriter();
  const std::string programs = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
  const std::string desktopLink = "C:\\users\\Public\\Desktop\\Quill Writer.lnk";
  ASSERT_TRUE(Exists(desktopLink));
  ASSERT_TRUE(Exists(programs + "\\Quill Writer\\Quill Writer.lnk"));
  ASSERT_FALSE(Exists(kDesktopLink));

  EXPECT_EQ(Uninstall(), uninstall::kRemoved);
  EXPECT_FALSE(Exists(desktopLink));
  EXPECT_FALSE(Exists(programs + "\\Quill Writer"));
  EXPECT_TRUE(Exists(programs));
}

TEST_F(UninstallTest, UsersOwnFileAndValueStayWithTheirFolderAndKey) {
  InstallQuillWriter();
  ASSERT_TRUE(sim.WriteFile(kFolder + "\\my notes.txt", "mine"));
  ASSERT_TRUE(sim.registry.SetValue(RegistryRoot::CurrentUser, kProductKey, "Theme",
                                    platform::kRegSz, {'x', 0}));

  EXPECT_EQ(Uninstall(true), uninstall::kLeftovers);

  EXPECT_TRUE(prompts.boxes.empty());
  EXPECT_EQ(sim.ReadFile(kFolder + "\\my notes.txt"), "mine");
  EXPECT_FALSE(Exists(kFolder + "\\writer.exe"));
  EXPECT_TRUE(sim.registry.Find(RegistryRoot::CurrentUser, kProductKey, "Theme").has_value());
  EXPECT_FALSE(sim.registry.Find(RegistryRoot::CurrentUser, kProductKey, "InstallDir").has_value());
  EXPECT_FALSE(sim.registry.KeyExists(RegistryRoot::LocalMachine, kUninstallKey));
  // The folder is the one leftover, named in the temporary folder.
  EXPECT_EQ(sim.ReadFile("C:\\users\\tester\\Temp\\Quill Writer uninstall leftovers.txt"),
            kFolder + ": holds items the uninstall log does not name\r\n");
}

// The keys the registry pass created go once empty, deepest first; a key
// that was there before, or holds what the log does not name, stays.
TEST_F(UninstallTest, CreatedKeysGoWhenEmptyAndOlderKeysStay) {
  sim.registry.AddKey(RegistryRoot::CurrentUser, "Software\\Acme");
  StageQuillWriter();
  std::string script = uninstall_test::QuillWriterScriptRemovingAll();
  script.insert(script.find("[/regi]"),
                "HKEY_CLASSES_ROOT|.qwd||REG_SZ|Acme.Quill|\r\n"
                "HKEY_CLASSES_ROOT|Acme.Quill\\shell\\open\\command||REG_SZ|x \"%%1\"|\r\n"
                "HKEY_CURRENT_USER|Software\\Acme\\Quill Writer\\Recent|Count|REG_DWORD|0|\r\n");
  script.insert(script.find("[/uninst_reg]"),
                "HKEY_CURRENT_USER|Software\\Acme\\Quill Writer\\Recent|Count|\r\n"
                "HKEY_CLASSES_ROOT|.qwd||\r\n"
                "HKEY_CLASSES_ROOT|Acme.Quill\\shell\\open\\command||\r\n");
  StageScript(script);
  Install();
  EXPECT_NE(Log().find("\r\nHKEY_CLASSES_ROOT\\Acme.Quill\\shell\\open\\command\\\r\n"
                       "HKEY_CLASSES_ROOT\\Acme.Quill\\shell\\open\\\r\n"
                       "HKEY_CLASSES_ROOT\\Acme.Quill\\shell\\\r\n"
                       "HKEY_CLASSES_ROOT\\Acme.Quill\\\r\n"),
            std::string::npos)
      << Log();
  EXPECT_EQ(Log().find("HKEY_CURRENT_USER\\Software\\Acme\\\r\n"), std::string::npos);
  EXPECT_EQ(sim.shell.associationNotices, 1u);

  EXPECT_EQ(Uninstall(true), uninstall::kRemoved);
  EXPECT_FALSE(sim.registry.KeyExists(RegistryRoot::ClassesRoot, "Acme.Quill"));
  EXPECT_FALSE(sim.registry.KeyExists(RegistryRoot::CurrentUser, kProductKey));
  EXPECT_TRUE(sim.registry.KeyExists(RegistryRoot::CurrentUser, "Software\\Acme"));
  EXPECT_FALSE(sim.registry.KeyExists(RegistryRoot::ClassesRoot, ".qwd"));
  EXPECT_EQ(sim.shell.associationNotices, 2u);
}

// "[path]" appends a folder once, keeping the value's type, and the
// uninstaller takes back exactly that entry; one that was there before stays.
TEST_F(UninstallTest, PathEntriesAreAddedOnceAndTakenBackExactly) {
  const std::string machineKey = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
  const auto text = [](const std::string& value) {
    std::vector<std::uint8_t> bytes(value.begin(), value.end());
    bytes.push_back(0);
    return bytes;
  };
  const std::string bin = kFolder + "\\bin";
  ASSERT_TRUE(sim.registry.SetValue(RegistryRoot::LocalMachine, machineKey, "Path",
                                    format::kRegExpandSz,
                                    text("%SystemRoot%\\system32;C:\\Tools")));
  ASSERT_TRUE(sim.registry.SetValue(RegistryRoot::CurrentUser, "Environment", "Path",
                                    format::kRegSz, text("c:\\tools\\")));
  StageQuillWriter();
  std::string script = uninstall_test::QuillWriterScriptRemovingAll();
  script +=
      "[path]\r\nHKEY_LOCAL_MACHINE|%InstallPath%\\bin\\\r\nHKEY_LOCAL_MACHINE|%InstallPath%\\bin\r\n"
      "HKEY_CURRENT_USER|C:\\Tools\r\nHKEY_CURRENT_USER|%InstallPath%\\bin\r\n"
      "HKEY_USERS|C:\\x\r\n[/path]\r\n";
  StageScript(script);
  Install();
  const auto value = [&](RegistryRoot root, const std::string& key) {
    return sim.registry.Find(root, key, "Path");
  };
  EXPECT_EQ(value(RegistryRoot::LocalMachine, machineKey)->data,
            text("%SystemRoot%\\system32;C:\\Tools;" + bin));
  EXPECT_EQ(value(RegistryRoot::LocalMachine, machineKey)->type, format::kRegExpandSz);
  EXPECT_EQ(value(RegistryRoot::CurrentUser, "Environment")->data, text("c:\\tools\\;" + bin));
  EXPECT_EQ(value(RegistryRoot::CurrentUser, "Environment")->type, format::kRegSz);
  EXPECT_NE(Log().find("\r\nHKEY_LOCAL_MACHINE;" + bin + "\r\nHKEY_CURRENT_USER;" + bin + "\r\n"),
            std::string::npos);
  EXPECT_EQ(sim.shell.environmentNotices, 1u);

  EXPECT_EQ(Uninstall(true), uninstall::kRemoved);
  EXPECT_EQ(value(RegistryRoot::LocalMachine, machineKey)->data,
            text("%SystemRoot%\\system32;C:\\Tools"));
  EXPECT_EQ(value(RegistryRoot::CurrentUser, "Environment")->data, text("c:\\tools\\"));
  EXPECT_EQ(sim.shell.environmentNotices, 2u);
}

TEST_F(UninstallTest, CancelRemovesNothing) {
  InstallQuillWriter();
  prompts.answer = false;
  EXPECT_EQ(Uninstall(), uninstall::kCancelled);
  EXPECT_EQ(prompts.boxes.size(), 1u);
  EXPECT_TRUE(Exists(kFolder + "\\writer.exe"));
  EXPECT_TRUE(Exists(kDesktopLink));
  EXPECT_TRUE(sim.registry.KeyExists(RegistryRoot::LocalMachine, kUninstallKey));
  EXPECT_TRUE(remover.started.empty());
}

TEST_F(UninstallTest, MissingEmptyOrCutLogRemovesNothing) {
  InstallQuillWriter();
  const std::string log = Log();
  for (const std::string& damaged :
       {std::string("<missing>"), std::string(), log.substr(0, log.find("[regst]")),
        log.substr(0, log.rfind("[/regst]") + 8)}) {
    if (damaged == "<missing>") {
      ASSERT_TRUE(sim.files.RemoveFile(LogPath()));
    } else {
      ASSERT_TRUE(sim.WriteFile(LogPath(), damaged));
    }
    prompts.boxes.clear();
    EXPECT_EQ(Uninstall(), uninstall::kNoLog);
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].kind, "fail");
    EXPECT_EQ(
        prompts.boxes[0].text.rfind("Cannot uninstall: the uninstall log " + LogPath() + ": ", 0),
        0u)
        << prompts.boxes[0].text;
    EXPECT_EQ(Uninstall(true), uninstall::kNoLog);
    EXPECT_EQ(prompts.boxes.size(), 1u);  // silent: no box
  }
  EXPECT_TRUE(Exists(kFolder + "\\writer.exe"));
  EXPECT_TRUE(sim.registry.KeyExists(RegistryRoot::LocalMachine, kUninstallKey));
  EXPECT_TRUE(remover.started.empty());
}

// A line added to the log after the installation, as a program of the user
// could where the installation folder lets it: the log's digest under
// HKEY_LOCAL_MACHINE no longer matches, and nothing is removed. A log that
// names another product finds no uninstall key that starts this uninstaller.
TEST_F(UninstallTest, ChangedLogOrOneOfAnotherProductRemovesNothing) {
  InstallQuillWriter();
  ASSERT_TRUE(sim.WriteFile("C:\\ProgramData\\other.dat", "other"));
  const std::string installed = Log();
  std::string changed = installed;
  changed.insert(changed.find("[/files]"), "C:\\ProgramData\\other.dat\r\n");
  std::string otherProduct = installed;
  otherProduct.replace(0, otherProduct.find('\r'), "Ink Pad");
  for (const std::string& log : {changed, otherProduct}) {
    ASSERT_TRUE(sim.WriteFile(LogPath(), log));
    prompts.boxes.clear();
    EXPECT_EQ(Uninstall(), uninstall::kNoLog);
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].text, "Cannot uninstall: the uninstall log " + LogPath() + ": " +
                                         (log == changed ? uninstall::texts::kLogChanged
                                                         : uninstall::texts::kLogNotRegistered) +
                                         ". Nothing was removed.");
  }
  EXPECT_TRUE(Exists("C:\\ProgramData\\other.dat"));
  EXPECT_TRUE(Exists(kFolder + "\\writer.exe"));
  EXPECT_TRUE(remover.started.empty());

  // Installed by an older setup program, without a digest: taken as it is.
  ASSERT_TRUE(sim.WriteFile(LogPath(), installed));
  ASSERT_TRUE(sim.registry.DeleteValue(RegistryRoot::LocalMachine, kUninstallKey,
                                       format::kUninstallLogDigest));
  EXPECT_EQ(Uninstall(true), uninstall::kRemoved);
  EXPECT_FALSE(Exists(kFolder + "\\writer.exe"));
}

// The second run finds the log but no uninstall key that vouches for it any
// more: it is refused, as a log left behind could have been changed since.
TEST_F(UninstallTest, RunningTwiceIsHarmless) {
  InstallQuillWriter();
  EXPECT_EQ(Uninstall(true), uninstall::kRemoved);
  EXPECT_EQ(Uninstall(true), uninstall::kNoLog);
  EXPECT_FALSE(Exists(kFolder + "\\writer.exe"));
}

TEST_F(UninstallTest, OwnFilesAreLeftoversWhenTheRemoverCannotStart) {
  InstallQuillWriter();
  remover.works = false;
  EXPECT_EQ(Uninstall(true), uninstall::kLeftovers);
  const std::string list =
      sim.ReadFile("C:\\users\\tester\\Temp\\Quill Writer uninstall leftovers.txt").value_or("");
  EXPECT_NE(list.find(kFolder + "\\UnInstaller.exe: could not be removed"), std::string::npos)
      << list;
}

TEST_F(UninstallTest, SystemFoldersAndTheirFilesSurviveWhateverTheLogSays) {
  InstallQuillWriter();
  ASSERT_TRUE(sim.WriteFile("C:\\Windows\\system32\\kernel32.dll", "system"));
  ASSERT_TRUE(sim.files.MakeFolder("C:\\Program Files (x86)"));
  std::string log = Log();
  log.insert(
      log.find("[/files]"),
      "C:\\Windows\\system32\\..\\system32\\kernel32.dll\r\nC:\\Windows\\system32\\\r\nC:\\\r\n"
      "C:\\Program Files (x86)\\\r\nrelative\\file.txt\r\n");
  WriteRecordedLog(log);

  EXPECT_EQ(Uninstall(true), uninstall::kLeftovers);
  EXPECT_TRUE(Exists("C:\\Windows\\system32\\kernel32.dll"));
  EXPECT_TRUE(Exists("C:\\Program Files (x86)"));
  EXPECT_FALSE(Exists(kFolder + "\\writer.exe"));
}

// Lines a same-user program could add to a log in a folder it can write, were
// its digest not checked.
TEST_F(UninstallTest, NoSpellingInTheLogReachesBeyondTheProduct) {
  InstallQuillWriter();
  const std::vector<std::string> baits = {"C:\\Windows\\system32\\bait.dll",
                                          "C:\\Program Files\\Other\\other.exe",
                                          "C:\\ProgramData\\Other\\data.ini"};
  for (const std::string& bait : baits) ASSERT_TRUE(sim.WriteFile(bait, "keep"));
  const std::string service = "SYSTEM\\CurrentControlSet\\Services\\Bait";
  sim.registry.SetValue(RegistryRoot::LocalMachine, service, "ImagePath", platform::kRegSz,
                        {'x', 0});
  std::string log = Log();
  log.insert(log.find("[/files]"),
             "\\\\?\\C:\\Windows\\system32\\bait.dll\r\nC:\\Windows\\system32\\bait.dll. \r\n"
             "C:\\Program Files\\Other\\other.exe\r\nC:\\ProgramData\\Other\\data.ini\r\n"
             "C:\\users\\tester\\AppData\\Roaming\\Microsoft\\Windows\\Templates.\\\r\n");
  log.insert(log.find("[/regst]"), "HKEY_LOCAL_MACHINE|" + service + "|ImagePath|\r\n");
  // The guard's own defence: as if the digest had let the lines through.
  WriteRecordedLog(log);

  EXPECT_EQ(Uninstall(true), uninstall::kLeftovers);
  for (const std::string& bait : baits) EXPECT_TRUE(Exists(bait)) << bait;
  EXPECT_TRUE(sim.registry.Find(RegistryRoot::LocalMachine, service, "ImagePath").has_value());
  EXPECT_FALSE(Exists(kFolder + "\\writer.exe"));
}

TEST_F(UninstallTest, GeneralLinesTakeTheLogsOwnValues) {
  uninstall::UninstallRecords log;
  log.productName = "Quill";
  log.version = "2.0";
  log.company = "Acme";
  EXPECT_EQ(uninstall::ExpandGeneralLine("%CompanyName% %ProductName% %ProductVersion%", log),
            "Acme Quill 2.0");
  EXPECT_EQ(uninstall::ExpandGeneralLine("-NA-", log), "");
  log.generalLine1 = "-NA-";
  log.generalLine2 = "Thanks from %CompanyName%";
  EXPECT_EQ(uninstall::ConfirmationText(log),
            "Thanks from Acme\n\nDo you want to remove Quill 2.0 and all of its components?");
}

}  // namespace
