// The script checks: each finding at the line where the setup program would
// go wrong, in the SCRIPT:LINE form editors and CI logs understand.
#include <gtest/gtest.h>

#include <functional>

#include "builder_test_support.h"
#include "mksetup/script_checks/script_check.h"
#include "format/field_values.h"

namespace mksetup {
namespace {

using builder_test::BytesOf;
using builder_test::JoinLines;
using builder_test::QuillWriterLines;
using Lines = std::vector<std::string>;

std::vector<std::string> Findings(const Lines& lines) {
  const std::string text = JoinLines(lines);
  const std::vector<std::uint8_t> bytes = BytesOf(text);
  Diagnostics diagnostics;
  CheckScript(SplitScriptLines(bytes), diagnostics);
  std::vector<std::string> shown;
  for (const Diagnostic& d : diagnostics.Sorted())
    shown.push_back(FormatDiagnostic(d, "s.txt", "files"));
  return shown;
}

// Quill Writer's script with line `number` (1-based) replaced, removed
// (nullopt) or preceded by extra lines.
Lines Replaced(std::size_t number, std::optional<std::string> line) {
  Lines lines = QuillWriterLines();
  if (line) {
    lines[number - 1] = *line;
  } else {
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(number - 1));
  }
  return lines;
}

Lines Inserted(std::size_t before, const Lines& extra) {
  Lines lines = QuillWriterLines();
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(before - 1), extra.begin(), extra.end());
  return lines;
}

// The one finding of a script, which must start with `where` and hold `what`.
void ExpectOnly(const Lines& lines, const std::string& where, const std::string& what) {
  const std::vector<std::string> found = Findings(lines);
  ASSERT_EQ(found.size(), 1u) << ::testing::PrintToString(found);
  EXPECT_EQ(found[0].rfind(where, 0), 0u) << found[0];
  EXPECT_NE(found[0].find(what), std::string::npos) << found[0];
}

TEST(ScriptCheck, TheSampleScriptPasses) { EXPECT_TRUE(Findings(QuillWriterLines()).empty()); }

TEST(ScriptCheck, EmptyLinesAboveTheEndOfTheFileList) {
  ExpectOnly(Replaced(5, ""), "s.txt:5: error: ", "empty line above \"[/fls]\"");
  EXPECT_NE(Findings(Replaced(5, "")).front().find("\"-N-A-\""), std::string::npos);
  ExpectOnly(Inserted(10, {""}), "s.txt:10: error: ", "file pass stops here");
  // Below "[/fls]" an empty line is harmless.
  EXPECT_TRUE(Findings(Inserted(14, {""})).empty());
}

TEST(ScriptCheck, RequiredMarkersMissing) {
  // Without "[fls]" the flag and the entries are just lines.
  Lines noFls = QuillWriterLines();
  noFls.erase(noFls.begin() + 5);
  const auto found = Findings(noFls);
  ASSERT_EQ(found.size(), 1u) << ::testing::PrintToString(found);
  EXPECT_EQ(found[0],
            "s.txt:55: error: no \"[fls]\" line: the setup program needs it for the compression "
            "flag and the file list");

  ExpectOnly(Replaced(13, std::nullopt), "s.txt:55: error: ", "no \"[/fls]\" line");
  ExpectOnly(Replaced(53, std::nullopt), "s.txt:55: error: ", "no \"[/uninst_fls]\" line");

  Lines early = QuillWriterLines();
  std::swap(early[5], early[12]);  // "[/fls]" at line 6, "[fls]" at line 13
  const auto swapped = Findings(early);
  ASSERT_FALSE(swapped.empty());
  EXPECT_EQ(swapped[0].rfind("s.txt:6: error: \"[/fls]\" before \"[fls]\"", 0), 0u) << swapped[0];
}

// Without "[lic]" the wizard never leaves its welcome page, and without
// "[inst_path]" it offers no folder: both build, with a warning at the end.
TEST(ScriptCheck, SectionsTheWizardCannotGoWithout) {
  Lines noLicence = QuillWriterLines();
  noLicence.erase(noLicence.begin() + 13, noLicence.begin() + 17);  // lines 14-17
  ExpectOnly(noLicence, "s.txt:52: warning: ",
             "no \"[lic]\" line: without it Next does nothing on the setup program's welcome page");
  Lines noFolder = QuillWriterLines();
  noFolder.erase(noFolder.begin() + 17, noFolder.begin() + 21);  // lines 18-21
  ExpectOnly(noFolder, "s.txt:52: warning: ", "no \"[inst_path]\" line");
}

TEST(ScriptCheck, LongHeaderLinesAndFolderTemplate) {
  EXPECT_TRUE(Findings(Replaced(1, std::string(259, 'q'))).empty());
  ExpectOnly(Replaced(1, std::string(260, 'q')), "s.txt:1: error: ",
             "the product name is 260 characters long; the setup program keeps at most 259");
  ExpectOnly(Replaced(5, std::string(300, 'n')),
             "s.txt:5: error: ", "the notice line is 300 characters");
  EXPECT_TRUE(Findings(Replaced(19, std::string(259, 'p'))).empty());
  ExpectOnly(Replaced(19, std::string(260, 'p')),
             "s.txt:19: error: ", "the installation folder template is 260 characters long");
}

TEST(ScriptCheck, MarkersWithStraySpacesOrAnotherCase) {
  ExpectOnly(
      Replaced(30, "[regi] "), "s.txt:30: error: ",
      "\"[regi] \" is not the marker \"[regi]\": a marker stands alone on its line without spaces");
  ExpectOnly(Replaced(26, "\t[shrt]"),
             "s.txt:26: error: ", "\"\\x09[shrt]\" is not the marker \"[shrt]\"");
  ExpectOnly(Replaced(56, "[/uninst_reg]\r"), "s.txt:56: error: ", "\"[/uninst_reg]\\x0D\"");
  ExpectOnly(
      Replaced(40, "[header]"), "s.txt:40: error: ",
      "\"[header]\" is not the marker \"[Header]\": markers are matched with their exact case");
}

TEST(ScriptCheck, LogoAfterHeader) {
  Lines lines = QuillWriterLines();
  // Move "[logo]", its line and "[/logo]" (37-39) behind "[/Header]" (42).
  Lines logo(lines.begin() + 36, lines.begin() + 39);
  lines.erase(lines.begin() + 36, lines.begin() + 39);
  lines.insert(lines.begin() + 39, logo.begin(), logo.end());
  ExpectOnly(lines, "s.txt:40: error: ", "\"[logo]\" after \"[Header]\"");
}

TEST(ScriptCheck, UninstallSectionsReadByPosition) {
  ExpectOnly(Inserted(46, {"a third line"}),
             "s.txt:46: error: ", "expected \"[/uninst_gene]\" here");
  ExpectOnly(Inserted(47, {"[uninst_reg]", "[/uninst_reg]"}),
             "s.txt:47: error: ", "expected \"[uninst_fls]\" here");
  Lines none = QuillWriterLines();
  none.erase(none.begin() + 42, none.begin() + 46);  // lines 43-46
  ExpectOnly(none, "s.txt:52: error: ", "no \"[uninst_gene]\" section");
}

TEST(ScriptCheck, HeaderShorterThanFiveLines) {
  ExpectOnly(
      Replaced(4, std::nullopt), "s.txt:5: error: ",
      "the header needs five lines (product name, wizard title, product version, company name, notice "
      "line) before the first section; \"[fls]\" is line 5");
  const auto found = Findings({"Only", "Two"});
  ASSERT_FALSE(found.empty());
  EXPECT_EQ(found[0],
            "s.txt:2: error: the header needs five lines (product name, wizard title, product "
            "version, company name, notice line); the script ends after 2");
  EXPECT_EQ(Findings({}), std::vector<std::string>{"s.txt:1: error: the script is empty"});
}

TEST(ScriptCheck, CompressionFlagLine) {
  ExpectOnly(Replaced(7, "yes"), "s.txt:7: warning: ",
             "compression flag \"yes\" is not \"1\": the setup program takes it as off");
  EXPECT_TRUE(Findings(Replaced(7, "0")).empty());
  // "[fls]" directly followed by "[/fls]": the pass swallows the marker as the flag.
  Lines swallowed = QuillWriterLines();
  swallowed.erase(swallowed.begin() + 6, swallowed.begin() + 12);
  const auto found = Findings(swallowed);
  ASSERT_FALSE(found.empty());
  EXPECT_EQ(found[0].rfind("s.txt:7: error: the line after \"[fls]\" is the compression flag", 0),
            0u)
      << found[0];
}

// Mistakes the setup program passes over without a word: a byte-order mark
// read as part of the product name, a forgotten flag line that swallows a
// file, a misspelt variable left in a path, a removal list that leaves
// installed files behind.
TEST(ScriptCheck, MistakesThatWouldShipSilently) {
  ExpectOnly(Replaced(1, "\xEF\xBB\xBFQuill Writer"), "s.txt:1: error: ",
             "UTF-8 byte-order mark (\"UTF-8 with BOM\"): the setup program takes its three bytes "
             "for the start of the product name");
  ExpectOnly(Replaced(1, "\xFF\xFEQ"), "s.txt:1: error: ", "saved as UTF-16");

  Lines noFlag = QuillWriterLines();
  noFlag.erase(noFlag.begin() + 6, noFlag.begin() + 8);  // the flag and the Dir| line
  ExpectOnly(noFlag, "s.txt:7: error: ",
             "not the file entry \"writer.exe|%InstallPath%\\writer.exe\": the setup program "
             "takes it as the flag and installs no such file; write \"1\"");

  ExpectOnly(Replaced(19, "%ProgramFiles%\\%Company%\\%ProductName%"), "s.txt:19: warning: ",
             "unknown path variable \"%Company%\" in \"%ProgramFiles%\\%Company%\\%ProductName%\": "
             "the setup program knows no such name, so it writes \"Company\"");
  ExpectOnly(Replaced(35, "%installpath%\\writer.exe"), "s.txt:35: warning: ",
             "\"%installpath%\" in \"%installpath%\\writer.exe\" is not \"%InstallPath%\"");
  ExpectOnly(Replaced(10, "writer.cfg|%SystemRoot%\\writer.cfg"),
             "s.txt:10: warning: ", "unknown path variable \"%SystemRoot%\"");
  // A "%" that opens no name is not taken for one, but it is dropped.
  ExpectOnly(Replaced(2, "50% off %ProductName%"), "s.txt:2: warning: ",
             "a \"%\" in \"50% off %ProductName%\" starts no path variable: the setup program "
             "drops it; write \"%%\" for a \"%\"");
  EXPECT_TRUE(Findings(Replaced(2, "50%% off %ProductName%")).empty());

  Lines unnamed = QuillWriterLines();
  unnamed.erase(unnamed.begin() + 47, unnamed.begin() + 49);  // lines 48-49
  ExpectOnly(unnamed, "s.txt:47: warning: ",
             "\"[uninst_fls]\" holds no \"%InstallPath%\" line and does not name "
             "\"%InstallPath%\\writer.exe\" and 1 more of the files \"[fls]\" installs: the "
             "uninstaller removes only what this list names and leaves those files behind");
  unnamed.insert(unnamed.begin() + 47, "%InstallPath%");
  EXPECT_TRUE(Findings(unnamed).empty());
}

TEST(ScriptCheck, OtherFlagsThatAreNeitherOneNorZero) {
  ExpectOnly(Replaced(15, "1 "),
             "s.txt:15: warning: ", "the licence flag \"1 \" is not \"1\" or \"0\"");
  ExpectOnly(Replaced(20, "yes"), "s.txt:20: warning: ", "the lock flag \"yes\"");
  ExpectOnly(Replaced(34, "true"), "s.txt:34: warning: ", "the launch flag \"true\"");
}

TEST(ScriptCheck, FileEntries) {
  ExpectOnly(Replaced(9, "writer.exe"),
             "s.txt:9: error: ", "file entry \"writer.exe\" has no \"|\"");
  // A source in a folder of the files folder is staged in that folder.
  EXPECT_TRUE(Findings(Replaced(9, "bin\\writer.exe|%InstallPath%\\writer.exe")).empty());
  ExpectOnly(
      Replaced(9, "bin/writer.exe|%InstallPath%\\writer.exe"), "s.txt:9: error: ",
      "source \"bin/writer.exe\" cannot be a file in the setup program's staging folder: the name holds "
      "a \"/\"");
  ExpectOnly(Replaced(9, "..|%InstallPath%\\x"),
             "s.txt:9: error: ", "a step ends with a dot or a space");
  ExpectOnly(Replaced(9, "old log_file.txt|%InstallPath%\\x"),
             "s.txt:9: error: ", "the setup program would take it for the setup script");
  ExpectOnly(Replaced(9, "writer.exe|"), "s.txt:9: warning: ", "has an empty destination");
}

// Line 27 is "Desktop|%InstallPath%\writer.exe|%ProductName%", the first of
// "[shrt]" (26-29).
TEST(ScriptCheck, ShortcutLocationsMatchedExactly) {
  for (const char* location : format::kShortcutLocations) {
    EXPECT_TRUE(Findings(Replaced(27, std::string(location) + "|w.exe|Quill")).empty()) << location;
  }
  ExpectOnly(Replaced(27, "desktop|w.exe|Quill"), "s.txt:27: error: ",
             "shortcut location \"desktop\" is not \"Desktop\": locations are matched exactly, "
             "letter case and spaces included, so the setup program makes no shortcut for "
             "\"desktop|w.exe|Quill\"");
  ExpectOnly(Replaced(27, "Start Menu |w.exe|Quill"),
             "s.txt:27: error: ", "shortcut location \"Start Menu \" is not \"Start Menu\"");
  ExpectOnly(Replaced(27, "Favorites|w.exe|Quill"), "s.txt:27: error: ",
             "unknown shortcut location \"Favorites\" in \"Favorites|w.exe|Quill\": the setup "
             "program knows only \"Desktop\", \"Program Group\", \"Quick Launch\", \"Start "
             "Menu\" and \"Startup\"");
  ExpectOnly(Replaced(27, "Quill Writer"), "s.txt:27: error: ",
             "shortcut line \"Quill Writer\" has no \"|\": expected LOCATION|TARGET|NAME");
  // A blank line has no location: skipped, as meant.
  EXPECT_TRUE(Findings(Inserted(27, {"", "  "})).empty());
}

// The setup program shows its message box for these, makes no link, and
// leaves the line in the uninstall log all the same.
TEST(ScriptCheck, ShortcutsWithoutTargetOrName) {
  ExpectOnly(Replaced(27, "Desktop|w.exe"), "s.txt:27: error: ",
             "shortcut line \"Desktop|w.exe\" has one \"|\" of two: expected "
             "LOCATION|TARGET|NAME; it gives no target: the setup program shows \"Please,enter "
             "the Menu Item and File name correctly.\" and makes no shortcut");
  ExpectOnly(Replaced(27, "Desktop||Quill"), "s.txt:27: error: ",
             "shortcut line \"Desktop||Quill\" has an empty target: the setup program shows");
  ExpectOnly(Replaced(28, "Program Group|w.exe|"),
             "s.txt:28: error: ", "shortcut line \"Program Group|w.exe|\" has an empty name");
}

TEST(ScriptCheck, ShortcutNamesThatMakeNoLinkFile) {
  // A third "|" stays in the name, where no file name may have it.
  ExpectOnly(Replaced(27, "Desktop|w.exe|Quill|Writer"), "s.txt:27: error: ",
             "shortcut name \"Quill|Writer\" holds \"|\", which no file name may hold: the setup "
             "program's link is never saved");
  ExpectOnly(Replaced(27, "Desktop|w.exe|Quill: the editor"), "s.txt:27: error: ", "holds \":\"");
  ExpectOnly(Replaced(28, "Program Group|w.exe|Tools\\Quill"), "s.txt:28: warning: ",
             "shortcut name \"Tools\\Quill\" puts the link into the folder \"Tools\", which the "
             "setup program does not create");
  ExpectOnly(Replaced(27, "Desktop|w.exe|Tools/Quill"), "s.txt:27: warning: ", "\"Tools\"");
  // Windows opens these as the port, ".lnk" or not.
  ExpectOnly(Replaced(27, "Desktop|w.exe|com\xB2"), "s.txt:27: error: ",
             "shortcut name \"com\xB2\" is a device name: Windows opens it as the device, so the "
             "setup program's link is never saved");
  ExpectOnly(Replaced(28, "Program Group|w.exe|Tools\\LPT1"), "s.txt:28: error: ", "device name");
  // Variables in the name are the machine's: only the text around them counts.
  EXPECT_TRUE(Findings(Replaced(27, "Desktop|w.exe|%ProductName% %ProductVersion%")).empty());
}

TEST(ScriptCheck, ShortcutLinesAsTheShortcutPassFindsThem) {
  // A second "[shrt]" section further down is read too.
  ExpectOnly(Inserted(33, {"[shrt]", "Desktop|w.exe", "[/shrt]"}),
             "s.txt:34: error: ", "has one \"|\" of two");
  // The line after "[menu_grp]" is the group and is examined too; the
  // marker itself is no shortcut line.
  ExpectOnly(Inserted(27, {"[menu_grp]", "Quill"}),
             "s.txt:28: error: ", "shortcut line \"Quill\" has no \"|\"");
  // Outside "[shrt]" nothing is a shortcut line.
  EXPECT_TRUE(Findings(Inserted(30, {"desktop|w.exe|Quill"})).empty());
  // Without "[/shrt]" every further line is taken: one error, at the marker,
  // and the other sections' lines are not reported as shortcuts.
  ExpectOnly(Replaced(29, std::nullopt), "s.txt:26: error: ",
             "no \"[/shrt]\" after this \"[shrt]\": the setup program takes every line to the end "
             "of the script as a shortcut line");
}

// Line 31 is
// "HKEY_CURRENT_USER|Software\%CompanyName%\%ProductName%|InstallDir|REG_SZ|%InstallPath%|".
TEST(ScriptCheck, RegistryLinesTheSetupProgramWritesNothingFor) {
  for (const char* root : format::kRegistryRoots) {
    EXPECT_TRUE(Findings(Replaced(31, std::string(root) + "|Software\\Acme|A|REG_SZ|x|")).empty())
        << root;
  }
  ExpectOnly(Replaced(31, "HKCU|Software\\Acme|A|REG_SZ|x|"), "s.txt:31: error: ",
             "unknown registry root \"HKCU\" in \"HKCU|Software\\Acme|A|REG_SZ|x|\": the roots are "
             "\"HKEY_CLASSES_ROOT\", \"HKEY_CURRENT_USER\", \"HKEY_LOCAL_MACHINE\", \"HKEY_USERS\" "
             "and \"HKEY_CURRENT_CONFIG\", so the setup program writes nothing for it");
  ExpectOnly(
      Replaced(31, "Hkey_Current_User|Software\\Acme|A|REG_SZ|x|"), "s.txt:31: error: ",
      "registry root \"Hkey_Current_User\" in \"Hkey_Current_User|Software\\Acme|A|REG_SZ|x|\" "
      "is not \"HKEY_CURRENT_USER\": roots are matched with their exact case");
  ExpectOnly(Replaced(31, "HKEY_CURRENT_USER|Software\\Acme|A|REG_QWORD|x|"), "s.txt:31: error: ",
             "unknown registry type \"REG_QWORD\" in "
             "\"HKEY_CURRENT_USER|Software\\Acme|A|REG_QWORD|x|\": the setup program writes "
             "only \"REG_SZ\", \"REG_EXPAND_SZ\", \"REG_BINARY\", \"REG_DWORD\" and "
             "\"REG_MULTI_SZ\", so it writes nothing for it");
  ExpectOnly(Replaced(31, "HKEY_CURRENT_USER|Software\\Acme|A"), "s.txt:31: error: ",
             "registry line \"HKEY_CURRENT_USER|Software\\Acme|A\" has 2 \"|\" of five: expected "
             "ROOT|KEY|NAME|TYPE|DATA|; the setup program finds no type in it and writes nothing");
  // An unknown root and type on one line: both are named.
  EXPECT_EQ(Findings(Replaced(31, "HKCU|K|A|SZ|x|")).size(), 2u);
}

// Without the fifth "|" the data meant is left over and the data is empty.
TEST(ScriptCheck, RegistryLinesWithoutTheirLastBar) {
  ExpectOnly(Replaced(31, "HKEY_CURRENT_USER|Software\\Acme|A|REG_SZ|%InstallPath%"),
             "s.txt:31: error: ",
             "does not end with \"|\": the setup program reads no data in it and writes an empty "
             "value");
  ExpectOnly(Replaced(31, "HKEY_CURRENT_USER|Software\\Acme|A|REG_DWORD|150"),
             "s.txt:31: error: ", "the setup program reads no data in it and writes nothing");
  // Ending with the type's "|" is the same as an empty data field.
  EXPECT_TRUE(Findings(Replaced(31, "HKEY_CURRENT_USER|Software\\Acme|A|REG_SZ|")).empty());
}

TEST(ScriptCheck, RegistryDataThatDoesNotFitItsType) {
  const auto line = [](const std::string& type, const std::string& data) {
    return Replaced(31, "HKEY_CURRENT_USER|Software\\Acme|A|" + type + "|" + data + "|");
  };
  for (const char* fits : {"150", "010", " 7 ", "0x1F", "4294967295", "0xFFFFFFFF"}) {
    EXPECT_TRUE(Findings(line("REG_DWORD", fits)).empty()) << fits;
  }
  for (const char* fits : {"", "2C 01 00 00", "2C010000", "2c,01"}) {
    EXPECT_TRUE(Findings(line("REG_BINARY", fits)).empty()) << fits;
  }
  ExpectOnly(line("REG_DWORD", "ten"), "s.txt:31: error: ",
             "data \"ten\" in \"HKEY_CURRENT_USER|Software\\Acme|A|REG_DWORD|ten|\" is no "
             "REG_DWORD (a decimal number or \"0x\" and hexadecimal digits, from 0 to "
             "4294967295): the setup program writes nothing for it");
  for (const char* misfit : {"-1", "4294967296", "0x100000000", "", "0x"}) {
    ExpectOnly(line("REG_DWORD", misfit), "s.txt:31: error: ", "is no REG_DWORD");
  }
  for (const char* misfit : {"1 2 3", "102", "0G"}) {
    ExpectOnly(line("REG_BINARY", misfit), "s.txt:31: error: ", "is no REG_BINARY (pairs of");
  }
  for (const char* fits : {"", "C:\\a b", "a{break}b"}) {
    EXPECT_TRUE(Findings(line("REG_MULTI_SZ", fits)).empty()) << fits;
    EXPECT_TRUE(Findings(line("REG_EXPAND_SZ", fits)).empty()) << fits;
  }
  for (const char* misfit : {"a{break}{break}b", "{break}a", "a{break}"}) {
    ExpectOnly(line("REG_MULTI_SZ", misfit), "s.txt:31: error: ",
               "is no REG_MULTI_SZ (strings separated by \"{break}\", none of them empty)");
  }
  // Variables are expanded on the user's machine first: not judged here.
  EXPECT_TRUE(Findings(line("REG_DWORD", "%ProductVersion%")).empty());
}

TEST(ScriptCheck, PathLines) {
  const auto path = [](const std::string& line) {
    return Inserted(33, {"[path]", line, "[/path]"});
  };
  EXPECT_TRUE(Findings(path("HKEY_LOCAL_MACHINE|%InstallPath%\\bin")).empty());
  ExpectOnly(path("HKCU|C:\\bin"), "s.txt:34: error: ",
             "PATH line \"HKCU|C:\\bin\" does not start with the root of a PATH "
             "(\"HKEY_LOCAL_MACHINE\" and \"HKEY_CURRENT_USER\") and \"|\"");
  ExpectOnly(path("HKEY_CURRENT_USER|C:\\a;b"), "s.txt:34: error: ", "holds \";\" or a quote");
  ExpectOnly(path("HKEY_CURRENT_USER|"), "s.txt:34: error: ", "names no folder");
}

TEST(ScriptCheck, RegistryLinesThatMayBeMeant) {
  ExpectOnly(Replaced(31, "HKEY_CURRENT_USER|Software\\Acme|A|REG_SZ|x|y|"),
             "s.txt:31: warning: ", "the setup program ignores \"y|\" after the fifth \"|\" of");
  ExpectOnly(Replaced(31, "HKEY_CURRENT_USER||A|REG_SZ|x|"), "s.txt:31: warning: ",
             "has an empty key: the setup program writes the value right under HKEY_CURRENT_USER");
  // Spaces after the last "|" are no text.
  EXPECT_TRUE(Findings(Replaced(31, "HKEY_CURRENT_USER|Software\\Acme|A|REG_SZ|x| ")).empty());
  EXPECT_TRUE(Findings(Inserted(31, {""})).empty());
}

// Line 55 is "HKEY_CURRENT_USER|Software\%CompanyName%\%ProductName%|InstallDir|",
// inside "[uninst_reg]" (54-56).
TEST(ScriptCheck, RemovalRegistryLines) {
  // The setup program trims each field, and an empty name removes the key.
  EXPECT_TRUE(Findings(Replaced(55, " HKEY_CURRENT_USER | Software\\Acme | A |")).empty());
  EXPECT_TRUE(Findings(Replaced(55, "HKEY_LOCAL_MACHINE|Software\\Acme||")).empty());
  EXPECT_TRUE(Findings(Replaced(55, "HKEY_LOCAL_MACHINE|Software\\Acme|")).empty());
  ExpectOnly(Replaced(55, "HKCU|Software\\Acme|A|"), "s.txt:55: error: ",
             "\"HKEY_CURRENT_CONFIG\", so the uninstaller removes nothing for it and reports it "
             "as not removed");
  ExpectOnly(Inserted(55, {""}), "s.txt:55: error: ",
             "empty line in \"[uninst_reg]\": the setup program records it as a registry value "
             "without a root");
  ExpectOnly(Replaced(55, "Software\\Acme"), "s.txt:55: error: ",
             "registry removal line \"Software\\Acme\" has no \"|\": expected ROOT|KEY|NAME|");
  ExpectOnly(Replaced(55, "HKEY_CURRENT_USER|Software\\Acme"), "s.txt:55: error: ",
             "has one \"|\" of three: expected ROOT|KEY|NAME|; it gives no key, so the "
             "uninstaller removes nothing for it");
  ExpectOnly(Replaced(55, "HKEY_CURRENT_USER|\\|A|"),
             "s.txt:55: error: ", "registry removal line \"HKEY_CURRENT_USER|\\|A|\" names no key");
  ExpectOnly(Replaced(55, "HKEY_CURRENT_USER|Software\\Acme|Zoom"), "s.txt:55: error: ",
             "does not end with \"|\": the setup program records no value name, so the "
             "uninstaller removes the key's default value, and the key when nothing else is left "
             "in it, instead of \"Zoom\"");
  ExpectOnly(Replaced(55, "HKEY_CURRENT_USER|Software\\Acme|A|B|"),
             "s.txt:55: warning: ", "the setup program ignores \"B|\" after the third \"|\" of");
}

TEST(ScriptCheck, RegistrySectionsWithoutTheirEnd) {
  ExpectOnly(Replaced(32, std::nullopt), "s.txt:30: error: ",
             "no \"[/regi]\" after this \"[regi]\": the setup program takes every line to the end "
             "of the script as a registry line");
  ExpectOnly(Replaced(56, std::nullopt),
             "s.txt:54: error: ", "no \"[/uninst_reg]\" after this \"[uninst_reg]\"");
  // A misspelt end marker is reported once, as the marker it is not.
  ExpectOnly(Replaced(32, "[/REGI]"),
             "s.txt:32: error: ", "\"[/REGI]\" is not the marker \"[/regi]\"");
  // A second section is checked like the first.
  ExpectOnly(Inserted(33, {"[regi]", "HKCU|K|A|REG_SZ|x|", "[/regi]"}),
             "s.txt:34: error: ", "unknown registry root \"HKCU\"");
}

}  // namespace
}  // namespace mksetup
