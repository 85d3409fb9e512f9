// Runs natively only: it needs the simulated machine.
#ifndef _WIN32
// The builder and the setup program take the script's lines by one line rule
// and one grammar of passes (src/format), the builder from the script's
// bytes and the setup program from the staged file. Run over the same texts,
// both must hand on the same lines: otherwise a line number in a message or
// a compression decision would be off.
#include <gtest/gtest.h>

#include <filesystem>

#include "builder_test_support.h"
#include "mksetup/script_checks/script_text.h"
#include "script/script_reader.h"
#include "script/script_rules.h"
#if !defined(_WIN32)
#include "platform/sim/sim_platform.h"
#include "format/script_fields.h"
#endif

namespace mksetup {
namespace {

#if !defined(_WIN32)  // the simulated machine is the Linux build's

using builder_test::BytesOf;

class ReaderAgreement : public ::testing::Test {
 protected:
  ReaderAgreement() : files_(scratch_.path()) {
    std::filesystem::create_directories(scratch_.path() + "/C");
  }

  // Writes the text as the staged script and returns its Windows path.
  std::string Stage(const std::string& text) {
    pe_test::WriteBytes(scratch_.path() + "/C/log_file.txt", BytesOf(text));
    return "C:\\log_file.txt";
  }

  std::vector<std::string> ReaderLines(const std::string& path) {
    script::ScriptReader reader(files_, path);
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLine(line)) lines.push_back(line);
    return lines;
  }

  pe_test::ScratchDir scratch_;
  sim::SimFileSystem files_;
};

const char* const kTexts[] = {
    "",
    "one",
    "one\n",
    "one\r\ntwo\nthree\r\n",
    "\r\n\r\n\n",
    "lone\rcr\r\ncr cr\r\r\nend\r",
    "[fls]\r\n1\r\na|b\r\n\r\nc|d\r\n[/fls]\r\n",
    "x\n[fls]\n[fls]\nw|1\n[fls]\nskipped|2\nv|3\n[/fls]\n",
    "[fls]\r\n1 \r\n[logo]\r\nA\\b.bmp\r\n[logo]\r\n%TempDir%\\c.bmp\r\n[Header]\r\nside\r\n[logo]\r\nlate\r\n",
    "[logo]\r\n[Header]\r\n[fls]\r\n1",
    "[/fls]\r\n[fls]\r\n1\r\nq|r\r\n",
};

TEST_F(ReaderAgreement, LinesFlagFilePassAndImages) {
  for (const char* text : kTexts) {
    SCOPED_TRACE(::testing::PrintToString(std::string(text)));
    const std::string path = Stage(text);
    const std::vector<std::uint8_t> bytes = BytesOf(text);
    const ScriptText script = SplitScriptLines(bytes);
    EXPECT_EQ(script.lines, ReaderLines(path));
    EXPECT_EQ(ReaderCompressionFlag(script), script::ReadCompressionFlag(files_, path));

    std::vector<std::string> passed;
    script::ForEachFileEntry(files_, path, [&](const std::string& kind, const std::string& rest) {
      passed.push_back(kind + "|" + rest);
    });
    std::vector<std::string> modelled;
    for (const std::size_t i : FilePassEntryLines(script)) {
      std::string rest = script.lines[i];
      const std::string kind = format::TakeField(rest);
      modelled.push_back(kind + "|" + rest);
    }
    EXPECT_EQ(modelled, passed);
  }
}

// The shortcut, registry and removal registry passes: several sections,
// stray end markers, "[menu_grp]" inside "[shrt]" and a section the script
// ends inside.
const char* const kSectionTexts[] = {
    ("[shrt]\nDesktop|a|b\n[menu_grp]\nStart Menu|c|d\n[/shrt]\nQuick Launch|e|f\n"
     "[shrt]\nx\n\ny|z\n"),
    "[menu_grp]\n[shrt]\nDesktop|a|b\n[/shrt]\n[/shrt]\n[shrt]\n[shrt]\nc\n[/shrt]\n",
    "[regi]\na|b|c|d|e|f|\n[/regi]\n[regi]\n[regi]\ng\n[/regi]\n[/regi]\nh\n[regi]\ni|j\n",
    "[uninst_reg]\n a | b | c |\n[/uninst_reg]\nd\n[uninst_reg]\n\ne|f\n[/uninst_reg]\n",
    "[regi] \nk|l\n[uninst_reg]\n",
};

// What a pass hands its visitor, fields joined by ">".
std::vector<std::string> ModelledFields(const ScriptText& script,
                                        const std::vector<std::size_t>& lines, int takes) {
  std::vector<std::string> seen;
  for (const std::size_t i : lines) {
    std::string rest = script.lines[i];
    std::string joined;
    for (int take = 0; take < takes; ++take) joined += format::TakeField(rest) + ">";
    seen.push_back(joined + (takes == 2 ? rest : std::string()));
  }
  return seen;
}

TEST_F(ReaderAgreement, ShortcutRegistryAndRemovalSections) {
  for (const char* text : kSectionTexts) {
    SCOPED_TRACE(::testing::PrintToString(std::string(text)));
    const std::string path = Stage(text);
    const std::vector<std::uint8_t> bytes = BytesOf(text);
    const ScriptText script = SplitScriptLines(bytes);

    std::vector<std::string> shortcuts;
    script::ForEachShortcutLine(
        files_, path, [](const std::string&) {},
        [&](const std::string& location, const std::string& target, const std::string& name) {
          shortcuts.push_back(location + ">" + target + ">" + name);
        });
    EXPECT_EQ(ModelledFields(script, ScanShortcutSection(script).lines, 2), shortcuts);

    std::vector<std::string> values;
    script::ForEachRegistryLine(
        files_, path,
        [&](const std::string& root, const std::string& key, const std::string& name,
            const std::string& type, const std::string& data) {
          values.push_back(root + ">" + key + ">" + name + ">" + type + ">" + data + ">");
        });
    const SectionScan registry = ScanSection(script, format::kRegistry, format::kRegistryEnd);
    EXPECT_EQ(ModelledFields(script, registry.lines, 5), values);

    std::vector<std::string> removals;
    script::ForEachRemovalRegistryLine(
        files_, path,
        [&](const std::string& root, const std::string& key, const std::string& name) {
          removals.push_back(root + ">" + key + ">" + name + ">");
        });
    const SectionScan removal =
        ScanSection(script, format::kUninstallRegistry, format::kUninstallRegistryEnd);
    EXPECT_EQ(ModelledFields(script, removal.lines, 3), removals);
  }
}

#endif

// The passes' lines as indexes, with where an unclosed section opened.
TEST(ScriptText, SectionLinesAndWhereAnUnclosedSectionOpened) {
  const ScriptText registry =
      SplitScriptLines(BytesOf("[regi]\na\n[/regi]\nb\n[regi]\n[regi]\nc\r\n[/regi]\n[regi]\nd"));
  const SectionScan scan = ScanSection(registry, format::kRegistry, format::kRegistryEnd);
  EXPECT_EQ(scan.lines, (std::vector<std::size_t>{1, 6, 9}));
  EXPECT_EQ(scan.unclosedAt, std::optional<std::size_t>(8));
  EXPECT_FALSE(ScanSection(SplitScriptLines(BytesOf("[regi]\n[/regi]")), format::kRegistry,
                           format::kRegistryEnd)
                   .unclosedAt);

  // The line after "[menu_grp]" is examined; "[menu_grp]" at the very end
  // hands the setup program an empty line, which is no line of the script.
  const ScriptText shortcuts =
      SplitScriptLines(BytesOf("[shrt]\n[menu_grp]\nDesktop|a|b\n[/shrt]\n[shrt]\n[menu_grp]"));
  const SectionScan shrt = ScanShortcutSection(shortcuts);
  EXPECT_EQ(shrt.lines, (std::vector<std::size_t>{2}));
  EXPECT_EQ(shrt.unclosedAt, std::optional<std::size_t>(4));
  EXPECT_EQ(FilePassEntryLines(SplitScriptLines(BytesOf("[fls]\n1\na\n[fls]\nb\nc\n\nd"))),
            (std::vector<std::size_t>{2, 3, 5}));
}

TEST(ScriptText, ImageFileNames) {
  EXPECT_EQ(ImageFileName("%TempDir%\\top.bmp"), "top.bmp");
  EXPECT_EQ(ImageFileName("top.bmp"), "top.bmp");
  EXPECT_EQ(ImageFileName("C:\\art\\x\\side.bmp"), "side.bmp");
  EXPECT_EQ(ImageFileName("%TempDir%\\"), "");
}

}  // namespace
}  // namespace mksetup

#endif  // _WIN32
