// Runs natively only: it needs the simulated machine.
#ifndef _WIN32
// mksetup build end to end: the exact archive in the written setup program,
// build then extract giving back every input byte for byte (also as the
// setup program's own extraction sees it), and inputs that must stop the
// build without touching an existing output.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "builder_test_support.h"
#include "mksetup/pe/pe_resources.h"
#include "package/extraction.h"
#include "package/payload_checksum.h"
#include "script/script_rules.h"

// The simulated machine, /proc and user ids are the Linux build's.
#if !defined(_WIN32)
#define SETUPKIT_LINUX_TESTS 1
#include <unistd.h>

#include "platform/sim/sim_platform.h"
#endif

namespace mksetup {
namespace {

using builder_test::Bytes;
using builder_test::BytesOf;
using builder_test::MinimalScript;
using builder_test::ProductFolder;
using builder_test::RecordingConsole;

void Append(Bytes& bytes, const std::string& text, bool withNul = false) {
  bytes.insert(bytes.end(), text.begin(), text.end());
  if (withNul) bytes.push_back(0);
}

void Append(Bytes& bytes, std::initializer_list<std::uint8_t> values) {
  bytes.insert(bytes.end(), values);
}

Bytes PayloadOf(const std::string& setupPath) {
  Bytes data;
  std::string error;
  const ResourceKey key = PayloadResourceKey();
  EXPECT_TRUE(ReadResource(builder_test::ReadFile(setupPath), key.type, key.name, data, error))
      << error;
  return data;
}

void WriteWhole(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

TEST(BuildCommand, ArchiveBytesOfASmallScript) {
  ProductFolder product;
  const std::string script = MinimalScript(
      "1", {"a.txt|%InstallPath%\\a.txt", "UnInstaller.exe|%InstallPath%\\UnInstaller.exe",
            "Remove Uninstaller.exe|%InstallPath%\\Remove Uninstaller.exe"});
  ASSERT_EQ(script.size(), 304u);
  product.WriteScript(script);
  product.WriteFile("a.txt", "abababab");
  product.WriteFile("UnInstaller.exe", "U");
  product.WriteFile("Remove Uninstaller.exe", "");
  product.WriteStub();
  RecordingConsole console;
  ASSERT_EQ(RunBuild(product.Options(), console.console), kExitOk) << console.err;
  // Its removal list is empty: the one finding, a warning.
  EXPECT_EQ(console.err.rfind(product.ScriptPath() +
                                  ":21: warning: \"[uninst_fls]\" holds no \"%InstallPath%\" line",
                              0),
            0u)
      << console.err;
  EXPECT_EQ(std::count(console.err.begin(), console.err.end(), '\n'), 1);
  EXPECT_EQ(console.out,
            "mksetup: wrote " + product.OutputPath() +
                ": 4 entries (1 compressed), 320 bytes stored for 313 bytes of files (102.2%)\n");

  Bytes expected;
  Append(expected, {0x04, 0x00, 0x00, 0x00});  // four entries
  Append(expected, "log_file.txt", true);
  Append(expected, {0x30, 0x01, 0x00, 0x00});  // 304 bytes, stored as written
  Append(expected, script);
  Append(expected, "a.txt", true);
  Append(expected, {0x0F, 0x00, 0x00, 0x00});  // a 15-byte LZW stream of 8 bytes, 16-bit codes
  Append(expected, {0x08, 0x00, 0x00, 0x00, 0x10, 0x61, 0x00, 0x62, 0x00, 0x00, 0x01, 0x02, 0x01,
                    0x62, 0x00});
  Append(expected, "UnInstaller.exe", true);
  Append(expected, {0x01, 0x00, 0x00, 0x00, 'U'});
  Append(expected, "Remove Uninstaller.exe", true);
  Append(expected, {0x00, 0x00, 0x00, 0x00});
  EXPECT_EQ(PayloadOf(product.OutputPath()), expected);

  // With the flag off every entry is stored as it is.
  std::string plain = script;
  plain.replace(plain.find("[fls]\r\n1"), 8, "[fls]\r\n0");
  product.WriteScript(plain);
  ASSERT_EQ(RunBuild(product.Options(), console.console), kExitOk) << console.err;
  const Bytes stored = PayloadOf(product.OutputPath());
  const Bytes asIs =
      BytesOf(std::string("a.txt") + '\0' + std::string("\x08\0\0\0", 4) + "abababab");
  EXPECT_NE(std::search(stored.begin(), stored.end(), asIs.begin(), asIs.end()), stored.end());
}

TEST(BuildCommand, TheChecksumCoversTheArchiveAndListReportsIt) {
  ProductFolder product;
  product.WriteQuillWriter();
  product.WriteStub();
  RecordingConsole console;
  ASSERT_EQ(RunBuild(product.Options(), console.console), kExitOk) << console.err;
  const Bytes setup = builder_test::ReadFile(product.OutputPath());
  const Bytes archive = PayloadOf(product.OutputPath());
  Bytes checksum;
  std::string error;
  const ResourceKey key = ChecksumResourceKey();
  ASSERT_TRUE(ReadResource(setup, key.type, key.name, checksum, error)) << error;
  const package::Sha256Digest digest = package::Sha256Of(archive);
  EXPECT_EQ(checksum, Bytes(digest.begin(), digest.end()));

  RecordingConsole listed;
  EXPECT_EQ(RunList(product.OutputPath(), listed.console), kExitOk) << listed.err;
  EXPECT_NE(listed.out.find("checksum: SHA-256 " + package::DigestText(digest) +
                            ", matches the archive\n"),
            std::string::npos)
      << listed.out;

  // One byte changed inside a stored entry: the archive still walks, so
  // only the checksum can tell.
  Bytes damagedArchive = archive;
  damagedArchive[damagedArchive.size() - 1] ^= 0x20;
  Bytes damaged;
  ASSERT_TRUE(WriteResource(setup, PayloadResourceKey(), damagedArchive, damaged, error)) << error;
  const std::string damagedPath = product.root() + "/damaged.exe";
  WriteWhole(damagedPath, damaged);
  RecordingConsole mismatch;
  EXPECT_EQ(RunList(damagedPath, mismatch.console), kExitFailure);
  EXPECT_NE(mismatch.out.find("(7 entries)\n"), std::string::npos) << mismatch.out;
  EXPECT_NE(mismatch.out.find(", DOES NOT MATCH the archive (" +
                              package::DigestText(package::Sha256Of(damagedArchive)) + ")\n"),
            std::string::npos)
      << mismatch.out;
  EXPECT_EQ(mismatch.err,
            "mksetup: error: " + damagedPath +
                ": the setup archive does not match its checksum: the setup program is damaged and "
                "refuses to install\n");
  // extract refuses it unless asked explicitly.
  const std::string extracted = product.root() + "/extracted";
  RecordingConsole refused;
  EXPECT_EQ(RunExtract(damagedPath, extracted, false, refused.console), kExitFailure);
  EXPECT_NE(refused.err.find("; nothing extracted (--ignore-checksum extracts anyway)\n"),
            std::string::npos)
      << refused.err;
  EXPECT_FALSE(std::filesystem::exists(extracted));
  RecordingConsole ignored;
  EXPECT_EQ(RunExtract(damagedPath, extracted, true, ignored.console), kExitOk) << ignored.err;
  EXPECT_NE(ignored.err.find("mksetup: warning: "), std::string::npos) << ignored.err;

  // Made by another tool: only the archive, no checksum, still listed.
  Bytes bare;
  ASSERT_TRUE(WriteResource(builder_test::ReadFile(product.StubPath()), PayloadResourceKey(),
                            archive, bare, error));
  const std::string barePath = product.root() + "/bare.exe";
  WriteWhole(barePath, bare);
  RecordingConsole none;
  EXPECT_EQ(RunList(barePath, none.console), kExitOk) << none.err;
  EXPECT_NE(
      none.out.find(
          "checksum: none (not built by mksetup); the setup program installs without checking\n"),
      std::string::npos)
      << none.out;
}

#if defined(SETUPKIT_LINUX_TESTS)
// The setup program's own extraction, with the script rules it uses, into a
// simulated staging folder.
class ScriptRulesScanner : public package::ScriptScanner {
 public:
  bool CompressionFlag(platform::FileSystem& files, const std::string& path) override {
    return script::ReadCompressionFlag(files, path);
  }
  void ImagePaths(platform::FileSystem& files, const std::string& path, std::string& logo,
                  std::string& header) override {
    const script::ImagePaths images = script::ReadImagePaths(files, path);
    logo = images.logo;
    header = images.header;
  }
};
#endif

TEST(BuildCommand, BuildThenExtractGivesBackEveryFile) {
  ProductFolder product;
  product.WriteQuillWriter();
  std::vector<std::string> lines = builder_test::QuillWriterLines();
  lines.insert(lines.begin() + 12,
               {"big data.bin|%InstallPath%\\big data.bin", "empty.txt|%InstallPath%\\empty.txt",
                "text.txt|%InstallPath%\\text.txt"});
  product.WriteScript(builder_test::JoinLines(lines));
  // Six megabytes that do not repeat fill the 16-bit dictionary some eighty
  // times over; the text compresses well and resets less often.
  product.WriteFile("big data.bin", pe_test::PatternBytes(6 << 20, 7));
  std::string text;
  for (int i = 0; text.size() < (3u << 20); ++i)
    text += "line " + std::to_string(i * 7919 % 100003) + " of text\r\n";
  product.WriteFile("text.txt", text);
  product.WriteFile("empty.txt", "");
  product.WriteFile("eula.lic", "Terms.\r\n");
  product.WriteStub();

  RecordingConsole console;
  ASSERT_EQ(RunBuild(product.Options(), console.console), kExitOk) << console.err;
  const std::string extracted = product.root() + "/extracted";
  ASSERT_EQ(RunExtract(product.OutputPath(), extracted, false, console.console), kExitOk)
      << console.err;

#if defined(SETUPKIT_LINUX_TESTS)
  sim::SimFileSystem staging(product.root() + "/sim");
  sim::SimThreads threads;
  std::filesystem::create_directories(product.root() + "/sim/C/Temp/$ddinstall");
  ScriptRulesScanner scanner;
  const Bytes payload = PayloadOf(product.OutputPath());
  const package::ExtractionResult result =
      package::ExtractArchive(staging, threads, payload, "C:\\Temp\\$ddinstall", scanner, nullptr);
  ASSERT_EQ(result.status, package::ExtractionStatus::Ok) << result.message;
  EXPECT_EQ(result.logoPath, "%TempDir%\\top.bmp");
  EXPECT_EQ(result.headerPath, "%TempDir%\\side.bmp");
#endif

  std::vector<std::string> names = {"log_file.txt"};
  for (const auto& entry : std::filesystem::directory_iterator(product.FilesPath())) {
    names.push_back(entry.path().filename().string());
  }
  ASSERT_EQ(names.size(), 11u);
  for (const std::string& name : names) {
    const Bytes original = builder_test::ReadFile(name == "log_file.txt" ? product.ScriptPath()
                                                                         : product.FilePath(name));
    EXPECT_TRUE(builder_test::ReadFile(extracted + "/" + name) == original) << name;
#if defined(SETUPKIT_LINUX_TESTS)
    EXPECT_TRUE(builder_test::ReadFile(product.root() + "/sim/C/Temp/$ddinstall/" + name) ==
                original)
        << name;
#endif
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(extracted), {}), 11);
}

#if !defined(_WIN32)
// Links planted in the output folder under entries' names, to a file outside
// and to a missing one: each is replaced by the entry, nothing written
// through it.
TEST(BuildCommand, ExtractReplacesLinksInTheFolderWithoutWritingThroughThem) {
  ProductFolder product;
  product.WriteQuillWriter();
  product.WriteStub();
  RecordingConsole console;
  ASSERT_EQ(RunBuild(product.Options(), console.console), kExitOk) << console.err;
  const std::string extracted = product.root() + "/extracted";
  const std::string outside = product.root() + "/outside.ini";
  std::filesystem::create_directories(extracted);
  WriteWhole(outside, Bytes{'k', 'e', 'e', 'p'});
  std::filesystem::create_symlink(outside, extracted + "/log_file.txt");
  std::filesystem::create_symlink(product.root() + "/made.txt", extracted + "/UnInstaller.exe");

  ASSERT_EQ(RunExtract(product.OutputPath(), extracted, false, console.console), kExitOk)
      << console.err;
  EXPECT_TRUE(builder_test::ReadFile(outside) == (Bytes{'k', 'e', 'e', 'p'}));
  EXPECT_FALSE(std::filesystem::exists(product.root() + "/made.txt"));
  EXPECT_FALSE(std::filesystem::is_symlink(extracted + "/log_file.txt"));
  EXPECT_TRUE(builder_test::ReadFile(extracted + "/log_file.txt") ==
              builder_test::ReadFile(product.ScriptPath()));
}
#endif

// A build that must fail: the message, the exit status, and an output that
// was there before left exactly as it was, with no temporary file beside it.
void ExpectRefused(const ProductFolder& product, const BuildOptions& options,
                   const std::string& message) {
  pe_test::WriteBytes(product.OutputPath(), BytesOf("GOOD"));
  const std::vector<std::string> before = product.RootNames();
  RecordingConsole console;
  EXPECT_EQ(RunBuild(options, console.console), kExitFailure);
  EXPECT_NE(console.err.find(message), std::string::npos) << console.err;
  EXPECT_EQ(builder_test::ReadFile(product.OutputPath()), BytesOf("GOOD"));
  EXPECT_EQ(product.RootNames(), before);
  EXPECT_EQ(console.out, "");
}

TEST(BuildCommand, BadRuntimesAreRefused) {
  ProductFolder product;
  product.WriteQuillWriter();
  Bytes image = pe_test::MakeImage({});
  pe_test::WriteBytes(product.StubPath(), Bytes(image.begin(), image.begin() + 300));
  ExpectRefused(product, product.Options(),
                "the setup runtime " + product.StubPath() + " is not a usable Windows program: ");
  pe_test::WriteBytes(product.StubPath(), BytesOf("#!/bin/sh\necho not a Windows program\n"));
  ExpectRefused(product, product.Options(), "is not a usable Windows program");
  std::filesystem::remove(product.StubPath());
  ExpectRefused(product, product.Options(),
                "mksetup: error: cannot read the setup runtime " + product.StubPath() +
                    ": No such file or directory");
}

TEST(BuildCommand, BadInputsAreRefused) {
  ProductFolder product;
  product.WriteQuillWriter();
  product.WriteStub();
  BuildOptions options = product.Options();

  std::filesystem::remove(product.FilePath("writer.cfg"));
  ExpectRefused(product, options,
                "setup.txt:10: error: \"writer.cfg\" (a file of \"[fls]\") is missing from ");
  ExpectRefused(
      product, options,
      "mksetup: error: 1 error in the script or the folder of files; nothing was written");
  product.WriteFile("writer.cfg", "back");

#if defined(SETUPKIT_LINUX_TESTS)
  // A file that can be opened but not read (even by root).
  std::filesystem::remove(product.FilePath("writer.exe"));
  std::filesystem::create_symlink("/proc/self/mem", product.FilePath("writer.exe"));
  ExpectRefused(product, options,
                "mksetup: error: cannot read " + product.FilePath("writer.exe") + ": ");
  std::filesystem::remove(product.FilePath("writer.exe"));
  product.WriteFile("writer.exe", "back");
#endif

  options.files = product.root() + "/no such folder";
  ExpectRefused(product, options,
                "mksetup: error: the folder of files " + options.files + " does not exist");
  options.files = product.ScriptPath();
  ExpectRefused(product, options, "mksetup: error: " + options.files + " is not a folder");
  options = product.Options();
  options.script = product.root() + "/missing.txt";
  ExpectRefused(product, options, "mksetup: error: cannot read the script " + options.script);
  options = product.Options();
  options.output = product.root() + "/no such folder/Setup.exe";
  ExpectRefused(product, options,
                "the output's folder " + product.root() + "/no such folder/ does not exist");
}

#if defined(SETUPKIT_LINUX_TESTS)
TEST(BuildCommand, UnreadableFolderOfFiles) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  ProductFolder product;
  product.WriteQuillWriter();
  product.WriteStub();
  std::filesystem::permissions(product.FilesPath(), std::filesystem::perms::none);
  ExpectRefused(product, product.Options(), "mksetup: error: cannot list the folder of files ");
  std::filesystem::permissions(product.FilesPath(), std::filesystem::perms::owner_all);
}
#endif

TEST(BuildCommand, AGoodBuildReplacesTheOutput) {
  ProductFolder product;
  product.WriteQuillWriter();
  product.WriteStub();
  pe_test::WriteBytes(product.OutputPath(), BytesOf("OLD"));
#if defined(SETUPKIT_LINUX_TESTS)
  std::filesystem::permissions(product.OutputPath(), std::filesystem::perms(0750));
#endif
  RecordingConsole console;
  ASSERT_EQ(RunBuild(product.Options(), console.console), kExitOk) << console.err;
  EXPECT_NE(builder_test::ReadFile(product.OutputPath()), BytesOf("OLD"));
#if defined(SETUPKIT_LINUX_TESTS)
  EXPECT_EQ(std::filesystem::status(product.OutputPath()).permissions(),
            std::filesystem::perms(0750));
#endif
  EXPECT_EQ(product.RootNames(),
            (std::vector<std::string>{"Setup.exe", "files", "runtime.exe", "setup.txt"}));
}

}  // namespace
}  // namespace mksetup

#endif  // _WIN32
