// The script checks: each finding at the line where the setup program would
// go wrong, in the SCRIPT:LINE form editors and CI logs understand.
#include <gtest/gtest.h>

#include <functional>

#include "builder_test_support.h"
#include "mksetup/script_check.h"

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

TEST(ScriptCheck, OtherFlagsThatAreNeitherOneNorZero) {
  ExpectOnly(Replaced(15, "1 "),
             "s.txt:15: warning: ", "the licence flag \"1 \" is not \"1\" or \"0\"");
  ExpectOnly(Replaced(20, "yes"), "s.txt:20: warning: ", "the lock flag \"yes\"");
  ExpectOnly(Replaced(34, "true"), "s.txt:34: warning: ", "the launch flag \"true\"");
}

TEST(ScriptCheck, FileEntries) {
  ExpectOnly(Replaced(9, "writer.exe"),
             "s.txt:9: error: ", "file entry \"writer.exe\" has no \"|\"");
  ExpectOnly(
      Replaced(9, "bin\\writer.exe|%InstallPath%\\writer.exe"), "s.txt:9: error: ",
      "source \"bin\\writer.exe\" cannot be a file in the setup program's staging folder: the name holds "
      "a folder separator");
  ExpectOnly(Replaced(9, "..|%InstallPath%\\x"),
             "s.txt:9: error: ", "the name is a folder reference");
  ExpectOnly(Replaced(9, "old log_file.txt|%InstallPath%\\x"),
             "s.txt:9: error: ", "the setup program would take it for the setup script");
  ExpectOnly(Replaced(9, "writer.exe|"), "s.txt:9: warning: ", "has an empty destination");
}

}  // namespace
}  // namespace mksetup
