// Each consumer's scan of the setup script: what it picks out of the Quill
// Writer script, and the layouts that trip a scan up.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/script_rules.h"
#include "script/script_test_support.h"
#include "format/script_fields.h"

namespace {

using script_test::Lines;
using script_test::ScriptMachine;
using Texts = std::vector<std::string>;

Texts FileEntries(ScriptMachine& m) {
  Texts entries;
  script::ForEachFileEntry(m.files(), m.path,
                           [&](const std::string& kind, const std::string& rest) {
                             entries.push_back(kind + " > " + rest);
                           });
  return entries;
}

Texts ShortcutPass(ScriptMachine& m) {
  Texts seen;
  script::ForEachShortcutLine(
      m.files(), m.path, [&](const std::string& group) { seen.push_back("group " + group); },
      [&](const std::string& location, const std::string& target, const std::string& name) {
        seen.push_back(location + " > " + target + " > " + name);
      });
  return seen;
}

Texts RegistryLines(ScriptMachine& m) {
  Texts lines;
  script::ForEachRegistryLine(
      m.files(), m.path,
      [&](const std::string& root, const std::string& key, const std::string& name,
          const std::string& type, const std::string& data) {
        lines.push_back(root + " > " + key + " > " + name + " > " + type + " > " + data);
      });
  return lines;
}

Texts RemovalRegistryLines(ScriptMachine& m) {
  Texts lines;
  script::ForEachRemovalRegistryLine(
      m.files(), m.path,
      [&](const std::string& root, const std::string& key, const std::string& name) {
        lines.push_back(root + " > " + key + " > " + name);
      });
  return lines;
}

Texts Uninstall(ScriptMachine& m) {
  Texts paths;
  const script::UninstallSource source = script::ReadUninstallSource(
      m.files(), m.path, [&](const std::string& path) { paths.push_back(path); });
  Texts seen = {source.productVersion, source.companyName, source.generalLine1,
                source.generalLine2};
  seen.insert(seen.end(), paths.begin(), paths.end());
  return seen;
}

Texts Launches(ScriptMachine& m, bool* ended = nullptr) {
  Texts programs;
  const bool completed = script::ForEachLaunchProgram(
      m.files(), m.path, [&](const std::string& program) { programs.push_back(program); });
  if (ended != nullptr) *ended = completed;
  return programs;
}

// Everything every scan reads, in one list.
Texts AllScans(ScriptMachine& m) {
  Texts all;
  const auto add = [&](const std::string& title, const Texts& texts) {
    all.push_back("-- " + title);
    all.insert(all.end(), texts.begin(), texts.end());
  };
  const script::ImagePaths images = script::ReadImagePaths(m.files(), m.path);
  const script::WizardHeader header = script::ReadWizardHeader(m.files(), m.path);
  const script::InstallPathSection section = script::ReadInstallPathSection(m.files(), m.path);
  std::string licence;
  const bool hasLicence = script::ReadLicenceFlag(m.files(), m.path, licence);
  const script::FinishPageSetup finish = script::ReadFinishPageSetup(m.files(), m.path);
  add("flag", {script::ReadCompressionFlag(m.files(), m.path) ? "compressed" : "raw"});
  add("images", {images.logo, images.header});
  add("header", {header.productName, header.wizardTitle, header.productVersion, header.companyName,
                 header.noticeLine, header.installPathTemplate});
  add("inst_path", {section.found ? "found" : "none", section.pathTemplate, section.lockFlag});
  add("notice", {script::ReadNoticeLine(m.files(), m.path)});
  add("lic", {hasLicence ? "found" : "none", licence});
  add("fls", FileEntries(m));
  add("shrt", ShortcutPass(m));
  add("regi", RegistryLines(m));
  add("uninst_reg", RemovalRegistryLines(m));
  add("uninst", Uninstall(m));
  add("finish", {finish.productName, std::to_string(static_cast<int>(finish.offer))});
  add("launch", Launches(m));
  return all;
}

TEST(ScriptRules, QuillWriterScript) {
  ScriptMachine machine(script_test::QuillWriterScript());
  const Texts expected = {
      "-- flag",
      "compressed",
      "-- images",
      "%TempDir%\\top.bmp",
      "%TempDir%\\side.bmp",
      "-- header",
      "Quill Writer",
      "%ProductName% %ProductVersion% Installation Wizard",
      "2.0",
      "Acme",
      "-N-A-",
      "%ProgramFiles%\\%CompanyName%\\%ProductName%",
      "-- inst_path",
      "found",
      "%ProgramFiles%\\%CompanyName%\\%ProductName%",
      "0",
      "-- notice",
      "-N-A-",
      "-- lic",
      "found",
      "0",
      "-- fls",
      "Dir > %InstallPath%\\Data",
      "writer.exe > %InstallPath%\\writer.exe",
      "writer.cfg > %InstallPath%\\Data\\writer.cfg",
      "UnInstaller.exe > %InstallPath%\\UnInstaller.exe",
      "Remove Uninstaller.exe > %InstallPath%\\Remove Uninstaller.exe",
      "-- shrt",
      "group %ProductName%",
      "Desktop > %InstallPath%\\writer.exe > %ProductName%",
      "Program Group > %InstallPath%\\writer.exe > %ProductName%",
      "-- regi",
      "HKEY_CURRENT_USER > Software\\%CompanyName%\\%ProductName% > InstallDir > REG_SZ > %InstallPath%",
      "-- uninst_reg",
      "HKEY_CURRENT_USER > Software\\%CompanyName%\\%ProductName% > InstallDir",
      "-- uninst",
      "2.0",
      "Acme",
      "Uninstalling %ProductName% %ProductVersion% ...",
      "-NA-",
      "%InstallPath%\\writer.exe",
      "%InstallPath%\\Data\\writer.cfg",
      "%InstallPath%\\Data\\settings.ini",
      "%InstallPath%\\launched.txt",
      "%InstallPath%\\Data\\",
      "-- finish",
      "Quill Writer",
      std::to_string(static_cast<int>(script::LaunchOffer::Offered)),
      "-- launch",
      "%InstallPath%\\writer.exe",
  };
  EXPECT_EQ(AllScans(machine), expected);
}

TEST(ScriptRules, LfOnlyScriptReadsLikeCrLf) {
  const std::string crlf = script_test::QuillWriterScript();
  std::string lf;
  for (const char c : crlf) {
    if (c != '\r') lf += c;
  }
  ASSERT_NE(lf, crlf);
  ScriptMachine withCrLf(crlf);
  ScriptMachine withLf(lf);
  EXPECT_EQ(AllScans(withLf), AllScans(withCrLf));
}

TEST(ScriptRules, MissingScriptGivesEmptyValues) {
  ScriptMachine machine("");
  ASSERT_TRUE(machine.sim.files.RemoveFile(machine.path));
  const Texts expected = {"-- flag",
                          "raw",
                          "-- images",
                          "",
                          "",
                          "-- header",
                          "",
                          "",
                          "",
                          "",
                          "",
                          "",
                          "-- inst_path",
                          "none",
                          "",
                          "",
                          "-- notice",
                          "",
                          "-- lic",
                          "none",
                          "",
                          "-- fls",
                          "-- shrt",
                          "-- regi",
                          "-- uninst_reg",
                          "-- uninst",
                          "",
                          "",
                          "",
                          "",
                          "-- finish",
                          "",
                          "0",
                          "-- launch"};
  EXPECT_EQ(AllScans(machine), expected);
}

TEST(ScriptRules, ScansEndAtEndOfFileWithoutTheirMarkers) {
  // No [fls], no [uninst_gene]; then a removal list that never closes.
  ScriptMachine noMarkers(Lines({"P", "T", "1.0", "C", "-N-A-", "Dir|x"}));
  EXPECT_FALSE(script::ReadCompressionFlag(noMarkers.files(), noMarkers.path));
  EXPECT_TRUE(FileEntries(noMarkers).empty());
  EXPECT_EQ(Uninstall(noMarkers), (Texts{"1.0", "C", "", ""}));

  ScriptMachine openList(Lines({"P", "T", "1.0", "C", "-N-A-", "[uninst_gene]", "g1", "g2",
                                "[/uninst_gene]", "[uninst_fls]", "a", "b"}));
  EXPECT_EQ(Uninstall(openList), (Texts{"1.0", "C", "g1", "g2", "a", "b"}));

  ScriptMachine emptyList(Lines({"P", "T", "1.0", "C", "-N-A-", "[uninst_gene]", "g1", "g2",
                                 "[/uninst_gene]", "[uninst_fls]", "[/uninst_fls]", "later"}));
  EXPECT_EQ(Uninstall(emptyList), (Texts{"1.0", "C", "g1", "g2"}));

  ScriptMachine markerLast(Lines({"[fls]"}));  // the value after it is empty
  EXPECT_FALSE(script::ReadCompressionFlag(markerLast.files(), markerLast.path));
}

TEST(ScriptRules, FilePassEndsAtFirstEmptyLineOrClosingMarkerAnywhere) {
  // An empty notice line stops the pass before "[fls]" is reached.
  ScriptMachine emptyNotice(Lines({"P", "T", "1", "C", "", "[fls]", "1", "a|A", "[/fls]"}));
  EXPECT_TRUE(FileEntries(emptyNotice).empty());

  ScriptMachine emptyInside(
      Lines({"P", "T", "1", "C", "N", "[fls]", "1", "a|A", "", "b|B", "[/fls]"}));
  EXPECT_EQ(FileEntries(emptyInside), (Texts{"a > A"}));

  ScriptMachine closedEarly(Lines({"P", "[/fls]", "[fls]", "1", "a|A", "[/fls]"}));
  EXPECT_TRUE(FileEntries(closedEarly).empty());

  // The flag line is dropped unexamined, even when it is empty or a marker;
  // a line without "|" has an empty kind and stays whole.
  ScriptMachine oddFlag(
      Lines({"P", "T", "1", "C", "N", "[fls]", "[/fls]", "a|A|x", "bare", "[/fls]", "c|C"}));
  EXPECT_EQ(FileEntries(oddFlag), (Texts{"a > A|x", " > bare"}));
  ScriptMachine emptyFlag(Lines({"P", "T", "1", "C", "N", "[fls]", "", "a|A", "[/fls]"}));
  EXPECT_EQ(FileEntries(emptyFlag), (Texts{"a > A"}));
}

TEST(ScriptRules, ImagePathsStopAtHeader) {
  ScriptMachine logoAfter(Lines({"[Header]", "side", "[logo]", "top"}));
  const script::ImagePaths late = script::ReadImagePaths(logoAfter.files(), logoAfter.path);
  EXPECT_EQ(late.logo, "");
  EXPECT_EQ(late.header, "side");

  ScriptMachine twoLogos(Lines({"[logo]", "first", "[logo]", "second", "[Header]", "side"}));
  EXPECT_EQ(script::ReadImagePaths(twoLogos.files(), twoLogos.path).logo, "second");
}

TEST(ScriptRules, RegistrySections) {
  ScriptMachine machine(Lines({
      "[regi] ",
      "HKEY_CURRENT_USER|K0|V|REG_SZ|ignored|",
      "[/regi]",  // marker with a space
      "[regi]",
      "HKEY_CURRENT_USER|K1|V|REG_SZ|data|after|",
      "[/regi]",
      "outside|x|y|z|w|",
      "[regi]",
      "HKEY_CURRENT_USER|K2|V|REG_SZ|no final bar",
      "HKEY_CURRENT_USER|K3",
      "",
      "[/regi]",
      "[uninst_reg]",
      " HKEY_CURRENT_USER | K | V |rest",
      "HKLM",
      "[/uninst_reg]",
  }));
  EXPECT_EQ(RegistryLines(machine), (Texts{
                                        "HKEY_CURRENT_USER > K1 > V > REG_SZ > data",
                                        "HKEY_CURRENT_USER > K2 > V > REG_SZ > ",
                                        "HKEY_CURRENT_USER >  >  >  > ",
                                        " >  >  >  > ",
                                    }));
  // Removal fields arrive raw: the consumer expands and then trims them.
  EXPECT_EQ(RemovalRegistryLines(machine), (Texts{" HKEY_CURRENT_USER  >  K  >  V ", " >  > "}));
}

TEST(ScriptRules, ShortcutPass) {
  ScriptMachine machine(Lines({
      "Desktop|before|group",  // outside [shrt]: not a shortcut
      "[menu_grp]",
      "[shrt]",  // the group line is also examined: it opens the section
      "Desktop|t.exe|Name|with|bars",
      "Start Menu|t.exe",
      "[/shrt]",
      "Desktop|between|x",
      "[shrt]",
      "Quick Launch|q.exe|Q",
      "[menu_grp]",
      "Group Two",
      "[/shrt]",
  }));
  EXPECT_EQ(ShortcutPass(machine),
            (Texts{
                "group [shrt]", "Desktop > t.exe > Name|with|bars",
                "Start Menu >  > t.exe",  // a single "|": the second take finds none
                "Quick Launch > q.exe > Q", "group Group Two",
                " >  > Group Two",  // examined as the current line, inside [shrt]
            }));
}

TEST(ScriptRules, InstallPathSection) {
  const std::string longLine(300, 'p');
  ScriptMachine machine(Lines({"P", "T", "1", "C", "N", "[inst_path]", longLine.c_str(), "1 "}));
  const script::InstallPathSection section =
      script::ReadInstallPathSection(machine.files(), machine.path);
  EXPECT_TRUE(section.found);
  EXPECT_EQ(section.pathTemplate, std::string(259, 'p'));
  EXPECT_EQ(section.lockFlag, "1 ");  // read whole after the cut line, and not true
  EXPECT_FALSE(format::IsTrueFlag(section.lockFlag));

  // The header scan looks for [inst_path] from line 6 on only.
  ScriptMachine early(Lines({"P", "T", "[inst_path]", "x", "N", "y"}));
  EXPECT_EQ(script::ReadWizardHeader(early.files(), early.path).installPathTemplate, "");
  EXPECT_EQ(script::ReadInstallPathSection(early.files(), early.path).pathTemplate, "x");
}

TEST(ScriptRules, HeaderLinesAreCutAt259) {
  const std::string a(259, 'a');
  const std::string b(260, 'b');
  const std::string c(5000, 'c');
  ScriptMachine machine(
      Lines({a.c_str(), b.c_str(), c.c_str(), "C", c.c_str(), "[inst_path]", c.c_str()}));
  const script::WizardHeader header = script::ReadWizardHeader(machine.files(), machine.path);
  EXPECT_EQ(header.productName, a);
  EXPECT_EQ(header.wizardTitle, std::string(259, 'b'));
  EXPECT_EQ(header.productVersion, std::string(259, 'c'));
  EXPECT_EQ(header.companyName, "C");
  EXPECT_EQ(header.noticeLine, std::string(259, 'c'));
  EXPECT_EQ(header.installPathTemplate, std::string(259, 'c'));
  EXPECT_EQ(script::ReadNoticeLine(machine.files(), machine.path), std::string(259, 'c'));
}

TEST(ScriptRules, LaunchSections) {
  ScriptMachine twoTrue(
      Lines({"P", "[launch]", "1", "a.exe", "[/launch]", "[launch]", "1", "b.exe"}));
  bool completed = false;
  EXPECT_EQ(Launches(twoTrue, &completed), (Texts{"a.exe", "b.exe"}));
  EXPECT_TRUE(completed);
  EXPECT_EQ(script::ReadFinishPageSetup(twoTrue.files(), twoTrue.path).offer,
            script::LaunchOffer::Offered);

  // A false flag ends both scans; nothing after it is launched.
  ScriptMachine thenFalse(
      Lines({"P", "[launch]", "1", "a.exe", "[launch]", "1 ", "[launch]", "1", "c.exe"}));
  EXPECT_EQ(Launches(thenFalse, &completed), (Texts{"a.exe"}));
  EXPECT_FALSE(completed);
  EXPECT_EQ(script::ReadFinishPageSetup(thenFalse.files(), thenFalse.path).offer,
            script::LaunchOffer::Hidden);

  // The program line is never taken for a marker; line 1 never counts for
  // the finish page.
  ScriptMachine programIsMarker(Lines({"[launch]", "1", "[launch]", "0"}));
  const script::FinishPageSetup setup =
      script::ReadFinishPageSetup(programIsMarker.files(), programIsMarker.path);
  EXPECT_EQ(setup.productName, "[launch]");
  EXPECT_EQ(setup.offer, script::LaunchOffer::Hidden);
  EXPECT_EQ(Launches(programIsMarker, &completed), (Texts{"[launch]"}));
  EXPECT_TRUE(completed);

  ScriptMachine programLooksLikeMarker(Lines({"P", "[launch]", "1", "[launch]", "0"}));
  EXPECT_EQ(script::ReadFinishPageSetup(programLooksLikeMarker.files(), programLooksLikeMarker.path)
                .offer,
            script::LaunchOffer::Offered);

  ScriptMachine none(Lines({"P", "[launch] ", "1", "x.exe"}));
  EXPECT_EQ(script::ReadFinishPageSetup(none.files(), none.path).offer, script::LaunchOffer::None);
  EXPECT_TRUE(Launches(none).empty());
}

}  // namespace
#endif  // _WIN32
