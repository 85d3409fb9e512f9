// The shortcut pass: where each location puts its link, the program group's
// folder, the lines that are ignored or refused, and their log records.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/shortcuts.h"
#include "install_test_support.h"

namespace {

using install_test::InstallTest;
using install_test::Lines;
using install_test::Script;
using install_test::UninstallSections;
using Texts = std::vector<std::string>;

const std::string kTarget = std::string(install_test::kInstallPath) + "\\writer.exe";

class ShortcutsTest : public InstallTest {
 protected:
  // Installs with the given [menu_grp] line (nothing: no section) and shortcut lines.
  void InstallShortcuts(std::optional<std::string> group,
                        std::initializer_list<std::string> shortcuts) {
    std::string sections;
    if (group) sections += Lines({"[menu_grp]", *group, "0", "[/menu_grp]"});
    sections += Lines({"[shrt]"});
    for (const std::string& line : shortcuts) sections += line + "\r\n";
    sections += Lines({"[/shrt]"});
    StageScript(Script({sections, UninstallSections()}));
    Install();
  }
  Texts Links() {
    Texts made;
    for (const sim::RecordedLink& link : sim.shell.links)
      made.push_back(link.linkPath + " > " + link.target);
    return made;
  }
  // The records between "[shrt]" and "[/shrt]".
  // The link records, without the created folders after them.
  std::string ShortcutRecords() {
    const std::string log = Log();
    const std::size_t start = log.find("[shrt]\r\n") + 8;
    const std::size_t folders = log.find("[folders]", start);
    return log.substr(start,
                      (folders != std::string::npos ? folders : log.find("[/shrt]")) - start);
  }
  std::string LinkFile(const std::string& path) { return sim.ReadFile(path).value_or("<no link>"); }
};

TEST_F(ShortcutsTest, EachLocationHasItsFolder) {
  install::CreateFolderPath(sim.files, install_test::kQuickLaunchFolder);
  ASSERT_TRUE(sim.files.IsFolder(install_test::kQuickLaunchFolder));
  InstallShortcuts("%ProductName%", {"Desktop|%InstallPath%\\writer.exe|%ProductName%",
                                     "Start Menu|%InstallPath%\\writer.exe|Start %ProductName%",
                                     "Quick Launch|%InstallPath%\\writer.exe|Quick",
                                     "Program Group|%InstallPath%\\writer.exe|%ProductName%"});
  const std::string desktop = std::string(install_test::kDesktopFolder) + "\\Quill Writer.lnk";
  const std::string start =
      std::string(install_test::kStartMenuFolder) + "\\Start Quill Writer.lnk";
  const std::string quick = std::string(install_test::kQuickLaunchFolder) + "\\Quick.lnk";
  const std::string group =
      std::string(install_test::kProgramsFolder) + "\\Quill Writer\\Quill Writer.lnk";
  EXPECT_EQ(Links(), (Texts{desktop + " > " + kTarget, start + " > " + kTarget,
                            quick + " > " + kTarget, group + " > " + kTarget}));
  EXPECT_EQ(LinkFile(group), kTarget + "\n");
  EXPECT_EQ(ShortcutRecords(), Lines({"Desktop|Quill Writer", "Start Menu|Start Quill Writer",
                                      "Quick Launch|Quick", "Program Group|Quill Writer"}));
  EXPECT_EQ(programGroup, "Quill Writer");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ShortcutsTest, MissingQuickLaunchFolderMakesNoLinkButKeepsTheRecord) {
  InstallShortcuts(std::nullopt, {"Quick Launch|%InstallPath%\\writer.exe|Quick"});
  EXPECT_TRUE(Links().empty());
  EXPECT_FALSE(sim.files.Exists(install_test::kQuickLaunchFolder));
  EXPECT_EQ(ShortcutRecords(), Lines({"Quick Launch|Quick"}));
}

TEST_F(ShortcutsTest, EmptyGroupPutsTheLinkStraightIntoPrograms) {
  InstallShortcuts("", {"Program Group|%InstallPath%\\writer.exe|Writer"});
  EXPECT_EQ(Links(),
            (Texts{std::string(install_test::kProgramsFolder) + "\\\\Writer.lnk > " + kTarget}));
  EXPECT_EQ(LinkFile(std::string(install_test::kProgramsFolder) + "\\Writer.lnk"), kTarget + "\n");
  EXPECT_TRUE(Log().ends_with("[/regst]\r\n"));
}

TEST_F(ShortcutsTest, GroupFolderDropsTrailingSpaceAndMakesEveryLevel) {
  InstallShortcuts("Acme\\%ProductName% Tools  ",
                   {"Program Group|%InstallPath%\\writer.exe|Writer"});
  const std::string folder =
      std::string(install_test::kProgramsFolder) + "\\Acme\\Quill Writer Tools";
  EXPECT_TRUE(sim.files.IsFolder(folder));
  EXPECT_EQ(LinkFile(folder + "\\Writer.lnk"), kTarget + "\n");
  // The log keeps the name as the script gave it.
  EXPECT_TRUE(Log().ends_with("[/regst]\r\nAcme\\Quill Writer Tools  ")) << Log();
}

TEST_F(ShortcutsTest, GroupIsTheOneKnownWhenTheLineIsReached) {
  StageScript(Script({Lines({"[shrt]", "Program Group|%InstallPath%\\writer.exe|Early", "[/shrt]",
                             "[menu_grp]", "Late", "0", "[/menu_grp]", "[shrt]",
                             "Program Group|%InstallPath%\\writer.exe|After", "[/shrt]"}),
                      UninstallSections()}));
  Install();
  const std::string programs = install_test::kProgramsFolder;
  EXPECT_EQ(Links(), (Texts{programs + "\\\\Early.lnk > " + kTarget,
                            programs + "\\Late\\After.lnk > " + kTarget}));
}

TEST_F(ShortcutsTest, SameNameReplacesTheLink) {
  InstallShortcuts(std::nullopt, {"Desktop|C:\\first.exe|Writer", "Desktop|C:\\second.exe|Writer"});
  EXPECT_EQ(LinkFile(std::string(install_test::kDesktopFolder) + "\\Writer.lnk"),
            "C:\\second.exe\n");
  EXPECT_EQ(ShortcutRecords(), Lines({"Desktop|Writer", "Desktop|Writer"}));
}

TEST_F(ShortcutsTest, UnknownLocationsLeaveNoTrace) {
  InstallShortcuts(std::nullopt, {"desktop|C:\\w.exe|Lower", "Desktop |C:\\w.exe|Spaced",
                                  "Favorites|C:\\w.exe|Other", "no bars", ""});
  EXPECT_TRUE(Links().empty());
  EXPECT_EQ(ShortcutRecords(), "");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ShortcutsTest, EmptyTargetOrNameShowsTheMessageOnceAndKeepsTheRecord) {
  InstallShortcuts(std::nullopt, {"Desktop||No Target", "Start Menu|C:\\w.exe|",
                                  "Desktop|C:\\w.exe|Name|with bar"});
  EXPECT_EQ(Messages(), (Texts{"Please,enter the Menu Item and File name correctly.",
                               "Please,enter the Menu Item and File name correctly."}));
  EXPECT_EQ(Links(),
            (Texts{std::string(install_test::kDesktopFolder) + "\\Name|with bar.lnk > C:\\w.exe"}));
  EXPECT_EQ(ShortcutRecords(),
            Lines({"Desktop|No Target", "Start Menu|", "Desktop|Name|with bar"}));
}

TEST_F(ShortcutsTest, AllUsersLinksGoIntoTheAllUsersFoldersAndTheLogSaysSo) {
  install::CreateFolderPath(sim.files, install_test::kQuickLaunchFolder);
  linksForAllUsers = true;
  InstallShortcuts("Quill", {"Desktop|C:\\w.exe|D", "Start Menu|C:\\w.exe|S", "Startup|C:\\w.exe|U",
                             "Program Group|C:\\w.exe|G", "Quick Launch|C:\\w.exe|Q"});
  const std::string common = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu";
  EXPECT_EQ(Links(),
            (Texts{"C:\\users\\Public\\Desktop\\D.lnk > C:\\w.exe", common + "\\S.lnk > C:\\w.exe",
                   common + "\\Programs\\Startup\\U.lnk > C:\\w.exe",
                   common + "\\Programs\\Quill\\G.lnk > C:\\w.exe",
                   // Quick Launch has no all-users folder.
                   std::string(install_test::kQuickLaunchFolder) + "\\Q.lnk > C:\\w.exe"}));
  EXPECT_EQ(ShortcutRecords(),
            Lines({"All Users Desktop|D", "All Users Start Menu|S", "All Users Startup|U",
                   "All Users Program Group|G", "Quick Launch|Q"}));
  // An uninstaller that knows only the plain locations finds none in these
  // records, and leaves the links rather than look in the user's folders.
  EXPECT_FALSE(install::ShortcutFolderNumber("All Users Desktop"));
  EXPECT_EQ(install::RecordedFolderNumber("All Users Program Group"),
            platform::kCsidlCommonPrograms);
  EXPECT_EQ(install::RecordedFolderNumber("Desktop"), platform::kCsidlDesktop);
  EXPECT_FALSE(install::RecordedFolderNumber("All Users Quick Launch"));
}

}  // namespace
#endif
