// Lines, fields and field cutting: the lexical rules every scan builds on.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/script_reader.h"
#include "script/script_test_support.h"
#include "format/script_fields.h"

namespace {

using script::ScriptReader;
using script_test::ScriptMachine;

struct Read {
  std::vector<std::string> lines;
  std::string afterEnd = "untouched";
};

Read ReadAll(const std::string& bytes) {
  ScriptMachine machine(bytes);
  ScriptReader reader(machine.files(), machine.path);
  Read read;
  std::string line;
  while (reader.ReadLine(line)) read.lines.push_back(line);
  read.afterEnd = line;
  return read;
}

TEST(ScriptReader, LineEnds) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(ReadAll("a\r\nb\r\n").lines, (Lines{"a", "b"}));
  EXPECT_EQ(ReadAll("a\nb\n").lines, (Lines{"a", "b"}));
  EXPECT_EQ(ReadAll("a\r\nb").lines, (Lines{"a", "b"}));  // no line end after the last
  EXPECT_EQ(ReadAll("a\r\n\r\n\nb\r\n").lines, (Lines{"a", "", "", "b"}));
  EXPECT_EQ(ReadAll("a\rb\r\r\nc\r").lines, (Lines{"a\rb\r", "c\r"}));  // only CR LF loses its CR
  EXPECT_EQ(ReadAll("\r\n").lines, (Lines{""}));
  EXPECT_TRUE(ReadAll("").lines.empty());
  EXPECT_EQ(ReadAll("a\r\n").afterEnd, "");  // end of file leaves the text empty
}

TEST(ScriptReader, VeryLongLinesComeBackWhole) {
  const std::string longLine(100000, 'x');
  const Read read = ReadAll("head\r\n" + longLine + "\r\ntail");
  ASSERT_EQ(read.lines.size(), 3u);
  EXPECT_EQ(read.lines[1], longLine);
  EXPECT_EQ(read.lines[2], "tail");
}

TEST(ScriptReader, MissingFileReadsAsEndOfFile) {
  sim::SimPlatform sim;
  ScriptReader reader(sim.files, script::ScriptPath(sim.files));
  std::string line = "stale";
  EXPECT_FALSE(reader.IsOpen());
  EXPECT_FALSE(reader.ReadLine(line));
  EXPECT_EQ(line, "");
  EXPECT_EQ(reader.NextLine(), "");
  EXPECT_FALSE(reader.SkipPast("[fls]"));
}

TEST(ScriptReader, MarkersMatchWholeLinesExactly) {
  for (const char* notAMarker : {"[fls] ", " [fls]", "[FLS]", "[fls]x"}) {
    ScriptMachine machine(script_test::Lines({notAMarker, "after"}));
    ScriptReader reader(machine.files(), machine.path);
    EXPECT_FALSE(reader.SkipPast("[fls]")) << '"' << notAMarker << '"';
  }
  ScriptMachine machine(script_test::Lines({"x", "[fls]", "after"}, "\n"));
  ScriptReader reader(machine.files(), machine.path);
  EXPECT_TRUE(reader.SkipPast("[fls]"));
  EXPECT_EQ(reader.NextLine(), "after");
  EXPECT_EQ(reader.NextLine(), "");
}

// The temporary folder as a test sets it; the rest is the stand-in's.
class TempFolderFiles : public sim::SimFileSystem {
 public:
  using sim::SimFileSystem::SimFileSystem;
  std::string temp;
  std::string TempFolder() override { return temp; }
};

TEST(StagingFolder, IsEmptyRatherThanBareOrTooLongForTheFolderCalls) {
  sim::SimPlatform sim;
  TempFolderFiles files(sim.Root());
  files.temp = "C:\\Temp\\";
  EXPECT_EQ(script::StagingFolder(files), "C:\\Temp\\$ddinstall\\");
  EXPECT_EQ(script::ScriptPath(files), "C:\\Temp\\$ddinstall\\log_file.txt");
  files.temp = "C:\\Temp";  // a missing backslash is supplied
  EXPECT_EQ(script::StagingFolder(files), "C:\\Temp\\$ddinstall\\");

  // Unknown: never "$ddinstall\", which would unpack into the current folder.
  files.temp = "";
  EXPECT_EQ(script::StagingFolder(files), "");
  EXPECT_EQ(script::ScriptPath(files), "");

  // "C:\", a backslash and "$ddinstall" take 14 characters; 247 is the
  // longest path a folder can be made with.
  files.temp = "C:\\" + std::string(233, 'x') + "\\";
  EXPECT_EQ(script::StagingFolder(files).size(), 248u);  // with its backslash
  files.temp = "C:\\" + std::string(234, 'x') + "\\";
  EXPECT_EQ(script::StagingFolder(files), "");
}

TEST(TakeField, TakesFromTheLeftAndLeavesTheRestWithoutABar) {
  std::string rest = "a||b|c";
  EXPECT_EQ(format::TakeField(rest), "a");
  EXPECT_EQ(format::TakeField(rest), "");
  EXPECT_EQ(format::TakeField(rest), "b");
  EXPECT_EQ(rest, "c");
  EXPECT_EQ(format::TakeField(rest), "");  // no "|": empty field, rest unchanged
  EXPECT_EQ(rest, "c");
}

TEST(FitField, CutsAt259Characters) {
  EXPECT_EQ(format::FitField(std::string(259, 'a')), std::string(259, 'a'));
  EXPECT_EQ(format::FitField(std::string(260, 'a') + "b"), std::string(259, 'a'));
  EXPECT_EQ(format::FitField(""), "");
}

}  // namespace
#endif  // _WIN32
