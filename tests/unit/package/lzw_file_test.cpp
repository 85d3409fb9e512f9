// Converting files in both directions, in place and between paths, and
// leaving the destination as it was whenever the conversion fails.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>

#include "package/lzw.h"
#include "package/lzw_test_data.h"

namespace package {
namespace {

using test::Bytes;

// Paths are native paths passed straight to the C library. An open for
// writing of a path in failWrites creates the file empty, as a real open
// would, but hands back a read-only stream, so that every write fails.
class NativeFiles : public platform::FileSystem {
 public:
  std::set<std::string> failWrites;

  std::FILE* OpenFile(const std::string& path, const char* mode) override {
    if (mode[0] == 'w' && failWrites.count(path) != 0) {
      failWrites.erase(path);  // fail once: putting the old bytes back works
      if (std::FILE* file = std::fopen(path.c_str(), mode)) std::fclose(file);
      return std::fopen(path.c_str(), "rb");
    }
    return std::fopen(path.c_str(), mode);
  }
  bool Exists(const std::string& path) override { return std::filesystem::exists(path); }
  bool IsFolder(const std::string& path) override { return std::filesystem::is_directory(path); }
  bool IsReparsePoint(const std::string& path) override { return std::filesystem::is_symlink(path); }
  bool MakeFolder(const std::string& path) override { return std::filesystem::create_directory(path); }
  bool HoldFolder(const std::string&) override { return false; }
  std::FILE* CreateStagedFile(const std::string&) override { return nullptr; }
  bool CopyOver(const std::string&, const std::string&) override { return false; }
  bool RemoveFile(const std::string& path) override { return std::remove(path.c_str()) == 0; }
  std::vector<platform::FolderEntry> ListFolder(const std::string&) override { return {}; }
  platform::DriveKind DriveKindOf(const std::string&) override { return platform::DriveKind::Fixed; }
  bool QueryDiskSpace(const std::string&, platform::DiskSpace&) override { return false; }
  std::string TempFolder() override { return std::filesystem::temp_directory_path().string(); }
  bool RemoveFolder(const std::string&) override { return false; }
};

class LzwFile : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::string unique = name + "_" + std::to_string(std::random_device()());
    m_folder = std::filesystem::temp_directory_path() / ("lzw_file_" + unique);
    ASSERT_TRUE(std::filesystem::create_directory(m_folder));
  }
  void TearDown() override { std::filesystem::remove_all(m_folder); }

  std::string PathOf(const char* name) const { return (m_folder / name).string(); }

  static void Write(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
  }
  static Bytes Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  NativeFiles m_files;
  std::filesystem::path m_folder;
};

TEST_F(LzwFile, CompressesAndExpandsBetweenPaths) {
  const Bytes original = test::TextBytes(300'000, 11);
  Write(PathOf("plain"), original);
  Write(PathOf("packed"), test::BytesOf("an older file, longer than nothing"));
  ASSERT_TRUE(LzwConvertFile(m_files, PathOf("plain"), PathOf("packed"), true, 16));
  Bytes expected;
  ASSERT_EQ(LzwEncode(original.data(), original.size(), 16, expected), LzwStatus::Ok);
  EXPECT_EQ(Read(PathOf("packed")), expected);

  ASSERT_TRUE(LzwConvertFile(m_files, PathOf("packed"), PathOf("unpacked"), false, 0));
  EXPECT_EQ(Read(PathOf("unpacked")), original);
  EXPECT_EQ(Read(PathOf("plain")), original);
}

TEST_F(LzwFile, ConvertsInPlace) {
  const Bytes original = test::StructuredBytes(200'000);
  Write(PathOf("entry.bin"), original);
  ASSERT_TRUE(LzwConvertFile(m_files, PathOf("entry.bin"), PathOf("entry.bin"), true, 12));
  EXPECT_EQ(Read(PathOf("entry.bin"))[4], 12);
  ASSERT_TRUE(LzwConvertFile(m_files, PathOf("entry.bin"), PathOf("entry.bin"), false, 16));
  EXPECT_EQ(Read(PathOf("entry.bin")), original);

  Write(PathOf("empty"), {});
  ASSERT_TRUE(LzwConvertFile(m_files, PathOf("empty"), PathOf("empty"), true, 16));
  EXPECT_EQ(Read(PathOf("empty")), Bytes({0, 0, 0, 0, 16}));
  ASSERT_TRUE(LzwConvertFile(m_files, PathOf("empty"), PathOf("empty"), false, 16));
  EXPECT_TRUE(Read(PathOf("empty")).empty());
}

TEST_F(LzwFile, FailuresBeforeWritingLeaveTheDestinationAlone) {
  const Bytes corrupt = {0x08, 0, 0, 0, 0x10, 0x61, 0x00, 0x62, 0x00, 0x00, 0x01, 0x09, 0x01};
  Write(PathOf("entry.bin"), corrupt);
  Write(PathOf("other"), test::BytesOf("keep me"));
  EXPECT_FALSE(LzwConvertFile(m_files, PathOf("entry.bin"), PathOf("entry.bin"), false, 16));
  EXPECT_EQ(Read(PathOf("entry.bin")), corrupt);
  EXPECT_FALSE(LzwConvertFile(m_files, PathOf("entry.bin"), PathOf("other"), false, 16));
  EXPECT_FALSE(LzwConvertFile(m_files, PathOf("missing"), PathOf("other"), true, 16));
  EXPECT_FALSE(LzwConvertFile(m_files, PathOf("entry.bin"), PathOf("other"), true, 8));
  EXPECT_EQ(Read(PathOf("other")), test::BytesOf("keep me"));
  EXPECT_FALSE(LzwConvertFile(m_files, PathOf("entry.bin"), PathOf("new"), false, 16));
  EXPECT_FALSE(m_files.Exists(PathOf("new")));
}

TEST_F(LzwFile, FailedWritePutsTheOldBytesBack) {
  const Bytes original = test::TextBytes(100'000, 12);
  Bytes stream;
  ASSERT_EQ(LzwEncode(original.data(), original.size(), 16, stream), LzwStatus::Ok);

  // In place: the stream itself comes back.
  Write(PathOf("entry.bin"), stream);
  m_files.failWrites.insert(PathOf("entry.bin"));
  EXPECT_FALSE(LzwConvertFile(m_files, PathOf("entry.bin"), PathOf("entry.bin"), false, 16));
  EXPECT_EQ(Read(PathOf("entry.bin")), stream);

  // To another existing file: its own bytes come back.
  Write(PathOf("other"), test::BytesOf("keep me"));
  m_files.failWrites.insert(PathOf("other"));
  EXPECT_FALSE(LzwConvertFile(m_files, PathOf("entry.bin"), PathOf("other"), false, 16));
  EXPECT_EQ(Read(PathOf("other")), test::BytesOf("keep me"));

  // To a new file: it does not stay behind.
  m_files.failWrites.insert(PathOf("new"));
  EXPECT_FALSE(LzwConvertFile(m_files, PathOf("entry.bin"), PathOf("new"), false, 16));
  EXPECT_FALSE(m_files.Exists(PathOf("new")));
}

}  // namespace
}  // namespace package
