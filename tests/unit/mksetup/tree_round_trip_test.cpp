// Runs natively only: it needs the simulated machine and Linux links.
#ifndef _WIN32
// A product whose files folder is a tree: mksetup build carries the folders'
// files under names such as "plugins\png_codec.dll", list shows them, extract
// and the setup program's own extraction give every file back in its folder,
// and neither writes outside the folder it unpacks into.
#include <gtest/gtest.h>

#include <filesystem>

#include "builder_test_support.h"
#include "format/payload_archive.h"
#include "mksetup/pe/pe_resources.h"
#include "package/extraction.h"
#include "platform/sim/sim_platform.h"
#include "script/script_rules.h"

namespace mksetup {
namespace {

using builder_test::Bytes;
using builder_test::BytesOf;
using builder_test::ProductFolder;
using builder_test::RecordingConsole;

const char* const kTree[][2] = {{"locales\\en\\messages.txt", "locales/en/messages.txt"},
                                {"locales\\fr\\messages.txt", "locales/fr/messages.txt"},
                                {"plugins\\png_codec.dll", "plugins/png_codec.dll"}};

// The setup program's compression rule; the test needs no pictures.
class FlagScanner : public package::ScriptScanner {
 public:
  bool CompressionFlag(platform::FileSystem& files, const std::string& path) override {
    return script::ReadCompressionFlag(files, path);
  }
  void ImagePaths(platform::FileSystem&, const std::string&, std::string&, std::string&) override {}
};

void WriteTreeProduct(const ProductFolder& product) {
  product.WriteScript(builder_test::MinimalScript(
      "1", {"locales\\en\\messages.txt|%InstallPath%\\locales\\en\\messages.txt",
            "locales\\fr\\messages.txt|%InstallPath%\\locales\\fr\\messages.txt",
            "plugins\\png_codec.dll|%InstallPath%\\plugins\\png_codec.dll",
            "UnInstaller.exe|%InstallPath%\\UnInstaller.exe",
            "Remove Uninstaller.exe|%InstallPath%\\Remove Uninstaller.exe"}));
  std::filesystem::create_directories(product.FilePath("locales/en"));
  std::filesystem::create_directories(product.FilePath("locales/fr"));
  std::filesystem::create_directories(product.FilePath("plugins"));
  product.WriteFile("locales/en/messages.txt", "hello=Hello\r\n");
  product.WriteFile("locales/fr/messages.txt", "hello=Bonjour\r\n");
  product.WriteFile("plugins/png_codec.dll", pe_test::PatternBytes(4000, 3));
  product.WriteFile("UnInstaller.exe", "U");
  product.WriteFile("Remove Uninstaller.exe", "R");
  product.WriteStub();
}

TEST(TreeRoundTrip, BuildListExtractAndStage) {
  ProductFolder product;
  WriteTreeProduct(product);
  RecordingConsole console;
  ASSERT_EQ(RunBuild(product.Options(), console.console), kExitOk) << console.err;
  ASSERT_EQ(RunList(product.OutputPath(), console.console), kExitOk) << console.err;
  for (const auto& [name, host] : kTree) {
    EXPECT_NE(console.out.find("  " + std::string(name) + "\n"), std::string::npos) << console.out;
  }

  const std::string extracted = product.root() + "/extracted";
  ASSERT_EQ(RunExtract(product.OutputPath(), extracted, false, console.console), kExitOk)
      << console.err;
  sim::SimFileSystem staging(product.root() + "/sim");
  sim::SimThreads threads;
  std::filesystem::create_directories(product.root() + "/sim/C/Temp/$ddinstall");
  FlagScanner scanner;
  Bytes payload;
  std::string error;
  const ResourceKey key = PayloadResourceKey();
  ASSERT_TRUE(ReadResource(builder_test::ReadFile(product.OutputPath()), key.type, key.name,
                           payload, error));
  const package::ExtractionResult staged =
      package::ExtractArchive(staging, threads, payload, "C:\\Temp\\$ddinstall", scanner, nullptr);
  ASSERT_EQ(staged.status, package::ExtractionStatus::Ok) << staged.message;
  for (const auto& [name, host] : kTree) {
    const Bytes original = builder_test::ReadFile(product.FilePath(host));
    EXPECT_FALSE(original.empty());
    EXPECT_EQ(builder_test::ReadFile(extracted + "/" + host), original) << name;
    EXPECT_EQ(builder_test::ReadFile(product.root() + "/sim/C/Temp/$ddinstall/" + host), original)
        << name;
  }

  // The setup program never stages through a link or junction that stands
  // in its staging folder under a folder's name.
  const std::string plugins = product.root() + "/sim/C/Temp/$ddinstall/plugins";
  std::filesystem::remove_all(plugins);
  std::filesystem::create_directories(product.root() + "/linked");
  std::filesystem::create_directory_symlink(product.root() + "/linked", plugins);
  EXPECT_EQ(
      package::ExtractArchive(staging, threads, payload, "C:\\Temp\\$ddinstall", scanner, nullptr)
          .status,
      package::ExtractionStatus::CannotCreate);
  EXPECT_TRUE(std::filesystem::is_empty(product.root() + "/linked"));

  // A file the script names that the tree lacks is reported at its line.
  std::filesystem::remove(product.FilePath("plugins/png_codec.dll"));
  EXPECT_EQ(RunBuild(product.Options(), console.console), kExitFailure);
  EXPECT_NE(console.err.find(product.ScriptPath() +
                             ":10: error: \"plugins\\png_codec.dll\" (a file of \"[fls]\") is "
                             "missing from " +
                             product.FilesPath()),
            std::string::npos)
      << console.err;
  // A folder of the tree that is a link to elsewhere is not followed.
  std::filesystem::remove_all(product.FilePath("plugins"));
  std::filesystem::create_directories(product.root() + "/elsewhere");
  product.WriteFile("../elsewhere/png_codec.dll", "secret");
  std::filesystem::create_directory_symlink(product.root() + "/elsewhere",
                                            product.FilePath("plugins"));
  console.err.clear();
  EXPECT_EQ(RunBuild(product.Options(), console.console), kExitFailure);
  EXPECT_NE(console.err.find("a symbolic link: mksetup does not follow links"), std::string::npos)
      << console.err;
}

TEST(TreeRoundTrip, ExtractNeverWritesOutsideItsFolder) {
  ProductFolder product;
  product.WriteStub();
  const std::string extracted = product.root() + "/out";
  std::filesystem::create_directories(extracted);
  const auto setupWith = [&](const std::string& name) {
    Bytes archive;
    format::WriteArchiveCount(archive, 1);
    format::AppendArchiveEntry(archive, name, BytesOf("evil"));
    Bytes setup;
    std::string error;
    EXPECT_TRUE(WriteResource(builder_test::ReadFile(product.StubPath()), PayloadResourceKey(),
                              archive, setup, error))
        << error;
    pe_test::WriteBytes(product.OutputPath(), setup);
  };
  // A hostile archive name: refused before anything is written.
  setupWith("sub\\..\\..\\evil.txt");
  RecordingConsole console;
  EXPECT_EQ(RunExtract(product.OutputPath(), extracted, false, console.console), kExitFailure);
  EXPECT_NE(console.err.find("unsafe file name in entry 1"), std::string::npos) << console.err;
  EXPECT_FALSE(std::filesystem::exists(product.root() + "/evil.txt"));
  EXPECT_TRUE(std::filesystem::is_empty(extracted));

  // A sound name whose folder stands in the output folder as a link to
  // elsewhere: the link is not entered.
  setupWith("plugins\\evil.txt");
  std::filesystem::create_directories(product.root() + "/elsewhere");
  std::filesystem::create_directory_symlink(product.root() + "/elsewhere", extracted + "/plugins");
  EXPECT_EQ(RunExtract(product.OutputPath(), extracted, false, console.console), kExitFailure);
  EXPECT_NE(console.err.find("plugins: a link or a file, not a folder"), std::string::npos)
      << console.err;
  EXPECT_TRUE(std::filesystem::is_empty(product.root() + "/elsewhere"));
}

}  // namespace
}  // namespace mksetup
#endif
