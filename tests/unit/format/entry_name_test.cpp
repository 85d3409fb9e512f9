// The one rule for archive entry names: folders joined by "\" are fine, and
// every spelling that could leave the folder the entry is unpacked into, or
// name another file than it says, is refused.
#include <gtest/gtest.h>

#include <string>

#include "format/entry_name.h"

namespace {

TEST(EntryName, TreesYesEscapesNo) {
  for (const char* good : {"app.exe", "plugins\\png_codec.dll", "locales\\en\\messages.txt",
                           ".profile", "a..b\\c", "CONSOLE\\COM0.txt", "caf\xE9\\x"}) {
    EXPECT_STREQ(format::EntryNameProblem(good), "") << good;
  }
  const std::string longest(format::kLongestEntryName, 'x');
  EXPECT_STREQ(format::EntryNameProblem(longest), "");
  EXPECT_STRNE(format::EntryNameProblem(longest + "x"), "");

  // What an attacker would write into an archive: roots, drives, UNC and
  // device paths, parent steps in every spelling Windows accepts, streams,
  // device names in a folder step, and names Windows silently shortens.
  for (const std::string bad : {"",
                                "\\evil.exe",
                                "\\\\server\\share\\x",
                                "\\\\?\\C:\\x",
                                "\\\\.\\pipe\\x",
                                "C:x.dll",
                                "C:\\Windows\\x.dll",
                                "..\\x",
                                "a\\..\\..\\x",
                                "a\\.\\x",
                                ".",
                                "..",
                                "a\\...\\x",
                                "a\\.. \\x",
                                "a/../x",
                                "../x",
                                "plugins/x.dll",
                                "a\\\\x",
                                "a\\",
                                "a.dll::$DATA",
                                "a\\b:stream",
                                "CON",
                                "plugins\\NUL\\x",
                                "aux.txt\\x",
                                "lpt1\\x",
                                "COM\xB9\\x",
                                "dir.\\x",
                                "dir \\x",
                                "x.dll.",
                                "x.dll ",
                                "tab\there",
                                "a\\line\nend"}) {
    EXPECT_STRNE(format::EntryNameProblem(bad), "") << bad;
  }
}

}  // namespace
