// The archive walk: well-formed blocks, damaged and hostile ones (refused
// whole, never read past their end), and unsafe names.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "format/entry_name.h"
#include "format/payload_archive.h"
#include "package/archive_test_builder.h"

namespace package {
namespace {

using test::ArchiveBuilder;
using test::Block;

struct Walk {
  bool ok = false;
  std::vector<format::ArchiveEntry> entries;
  std::string error;
};

// Walks a heap copy of exactly the given bytes, so a read past the end is
// caught by the address sanitizer.
Walk WalkBlock(const Block& bytes) {
  Walk walk;
  const std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[bytes.size() + 1]);
  std::copy(bytes.begin(), bytes.end(), copy.get());
  walk.entries.push_back({"stale", nullptr, 0});  // must be cleared on failure
  walk.ok = format::ReadArchiveIndex(std::span<const std::uint8_t>(copy.get(), bytes.size()),
                                     walk.entries, walk.error);
  if (walk.ok) {
    for (format::ArchiveEntry& entry : walk.entries) {
      // Point into the caller's block instead of the copy, which is gone.
      entry.data = bytes.data() + (entry.data - copy.get());
    }
  }
  return walk;
}

std::string Text(const format::ArchiveEntry& entry) {
  return std::string(entry.data, entry.data + entry.size);
}

TEST(ArchiveIndex, YieldsTheEntriesInArchiveOrder) {
  Block block = ArchiveBuilder()
                    .AddPlain("log_file.txt", "script")
                    .AddPlain("empty.dat", "")
                    .AddPlain("Remove Uninstaller.exe", std::string("MZ\0\x01\0", 5))
                    .AddPlain("caf\xE9.txt", "ansi name")
                    .Build();
  // Resource sections pad their data: bytes after the last entry are fine.
  block.insert(block.end(), {0, 0, 0xCC});
  const Walk walk = WalkBlock(block);
  ASSERT_TRUE(walk.ok) << walk.error;
  ASSERT_EQ(walk.entries.size(), 4u);
  EXPECT_EQ(walk.entries[0].name, "log_file.txt");
  EXPECT_EQ(Text(walk.entries[0]), "script");
  EXPECT_EQ(walk.entries[1].name, "empty.dat");
  EXPECT_EQ(walk.entries[1].size, 0u);
  EXPECT_EQ(walk.entries[2].name, "Remove Uninstaller.exe");
  EXPECT_EQ(Text(walk.entries[2]), std::string("MZ\0\x01\0", 5));
  EXPECT_EQ(walk.entries[3].name, "caf\xE9.txt");
  EXPECT_EQ(Text(walk.entries[3]), "ansi name");
  EXPECT_TRUE(walk.error.empty());

  const Walk none = WalkBlock(ArchiveBuilder().Build());
  EXPECT_TRUE(none.ok);
  EXPECT_TRUE(none.entries.empty());
}

TEST(ArchiveIndex, RefusesDamagedBlocksNamingTheEntry) {
  const ArchiveBuilder two =
      ArchiveBuilder().AddPlain("a.txt", "aaaa").AddPlain("b.dll", "bbbbbbbb");
  const Block whole = two.Build();
  // The second entry starts after count (4) and "a.txt\0" + size + data (14).
  const std::size_t second = 4 + 14;
  struct Case {
    const char* what;
    Block block;
    const char* error;
  };
  const Case cases[] = {
      {"no count",
       {1, 0, 0},
       "The setup archive is damaged: it is too short to hold its entry count."},
      {"count beyond the entries", two.BuildWithCount(3),
       "The setup archive is damaged: it announces 3 entries but ends after 2."},
      {"hostile count", two.BuildWithCount(0xFFFFFFFF),
       "The setup archive is damaged: it announces 4294967295 entries but ends after 2."},
      {"name without NUL", Block(whole.begin(), whole.begin() + second + 3),
       "The setup archive is damaged: the name of entry 2 is not terminated inside the archive."},
      {"size cut short", Block(whole.begin(), whole.begin() + second + 6 + 3),
       "The setup archive is damaged: entry 2 (\"b.dll\") has no room for its stored size."},
      {"data cut short", Block(whole.begin(), whole.end() - 1),
       "The setup archive is damaged: entry 2 (\"b.dll\") announces 8 bytes but only 7 are left."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Walk walk = WalkBlock(c.block);
    EXPECT_FALSE(walk.ok);
    EXPECT_TRUE(walk.entries.empty());
    EXPECT_EQ(walk.error, c.error);
  }
}

TEST(ArchiveIndex, RefusesEveryTruncationOfAValidBlock) {
  const Block whole = ArchiveBuilder()
                          .AddPlain("log_file.txt", "[fls]\n1\n")
                          .AddCompressed("app.exe", "program")
                          .Build();
  for (std::size_t length = 0; length < whole.size(); ++length) {
    const Walk walk =
        WalkBlock(Block(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
    EXPECT_FALSE(walk.ok) << length;
    EXPECT_FALSE(walk.error.empty()) << length;
  }
  EXPECT_TRUE(WalkBlock(whole).ok);
}

TEST(ArchiveIndex, RefusesNamesThatLeaveTheStagingFolder) {
  const char* const unsafe[] = {"",      ".",        "..",        "..\\evil.exe", "sub\\..\\x.dll",
                                "../x",  "C:x.dll",  "a.txt:ads", "tab\there",    "line\nend",
                                "name.", "name ",    "CON",       "con.txt",      "Nul ",
                                "LPT1",  "com9.log", "CONOUT$",   "COM\xB9.txt",  "lpt\xB3"};
  for (const std::string name : unsafe) {
    SCOPED_TRACE(name);
    const Walk walk =
        WalkBlock(ArchiveBuilder().AddPlain("ok.txt", "x").AddPlain(name, "y").Build());
    EXPECT_FALSE(walk.ok);
    EXPECT_NE(walk.error.find("unsafe file name in entry 2"), std::string::npos) << walk.error;
  }
  // Control characters are shown, not printed raw into the message.
  EXPECT_EQ(WalkBlock(ArchiveBuilder()
                          .AddPlain("a\x01"
                                    "b",
                                    "y")
                          .Build())
                .error,
            "The setup archive holds an unsafe file name in entry 1 (\"a\\x01b\"): "
            "the name holds a control character.");

  // DEL is a legal name byte but not a printable one: it is escaped too.
  Block del = ArchiveBuilder()
                  .AddPlain(
                      "a\x7F"
                      "b",
                      "")
                  .Build();
  del[del.size() - 4] = 9;  // announces 9 bytes, none follow
  EXPECT_EQ(
      WalkBlock(del).error,
      "The setup archive is damaged: entry 1 (\"a\\x7Fb\") announces 9 bytes but only 0 are left.");

  const char* const safe[] = {
      "CONSOLE.txt", "COM0",        "LPT10",     "x.lic", "Remove Uninstaller.exe",
      ".profile",    "caf\xE9.txt", "sub\\x.dll"};
  for (const std::string name : safe) {
    EXPECT_STREQ(format::EntryNameProblem(name), "") << name;
  }
}

}  // namespace
}  // namespace package
