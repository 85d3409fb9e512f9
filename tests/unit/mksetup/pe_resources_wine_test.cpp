// The written images run: under Wine the Windows loader itself finds the
// payload (FindResourceA, SizeofResource, LockResource in pe_stub.c), still
// finds the stub's other resources, and imagehlp's checksum of the file
// agrees with the header. The 64-bit images run under wine64 everywhere; the
// 32-bit ones where the machine runs 32-bit programs (the 32-bit Wine loader
// starts). Making the Wine prefix takes 5 to 30 s; set SETUPKIT_SKIP_WINE=1
// to leave these tests out of a quick run.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "mksetup/pe/pe_image.h"
#include "mksetup/pe/pe_resources.h"
#include "mksetup/pe_test_support.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr const char* kWine32Loader = "/usr/lib/wine/wine";
constexpr const char* kWine64Loader = "/usr/lib/wine/wine64";

// A throwaway Wine prefix and home folder, with its server kept running for
// the test's programs and stopped at the end. A 64-bit one is run by the
// wine64 loader itself: Debian's `wine` wrapper would take the 32-bit loader
// whenever it is installed, runnable or not.
class WinePrefix {
 public:
  explicit WinePrefix(bool is64) : is64_(is64) {}

  bool Create(std::string& error) {
    if (scratch_.path().empty()) return Fail(error, "no scratch folder");
    std::filesystem::create_directory(scratch_.File("home"));
    // A first wineboot right after Wine was installed, on a loaded machine,
    // now and then fails to load kernel32; a second one in a fresh prefix
    // has always worked.
    std::string log;
    bool booted = false;
    for (int attempt = 0; attempt < 2 && !booted; ++attempt) {
      if (attempt > 0) {
        pe_test::Run(Environment() + "wineserver -k 2>&1");
        std::error_code ignored;
        std::filesystem::remove_all(scratch_.File("prefix"), ignored);
      }
      log.clear();
      booted = pe_test::Run(Environment() + Loader() + " wineboot -i 2>&1", &log) == 0;
    }
    if (!booted) return Fail(error, "wineboot failed twice: " + log);
    // The prefix links Desktop, Documents... to HOME; make them real
    // folders so that nothing run here can reach outside the prefix.
    std::error_code ignored;
    for (const auto& user :
         std::filesystem::directory_iterator(scratch_.File("prefix/drive_c/users"), ignored)) {
      for (const auto& entry : std::filesystem::directory_iterator(user.path(), ignored)) {
        if (!entry.is_symlink(ignored)) continue;
        std::filesystem::remove(entry.path(), ignored);
        std::filesystem::create_directory(entry.path(), ignored);
      }
    }
    pe_test::Run(Environment() + "wineserver -p 2>&1");
    started_ = true;
    return true;
  }

  ~WinePrefix() {
    if (started_) pe_test::Run(Environment() + "wineserver -k 2>&1");
  }

  // The program's standard output, without carriage returns.
  std::string RunProgram(const std::string& path) {
    std::string output;
    pe_test::Run(Environment() + Loader() + " " + pe_test::Quote(path) + " 2>/dev/null", &output);
    std::erase(output, '\r');
    return output;
  }

  std::string File(const std::string& name) const { return scratch_.File(name); }

 private:
  std::string Loader() const { return is64_ ? kWine64Loader : "wine"; }
  std::string Environment() const {
    return "env -u DISPLAY HOME=" + pe_test::Quote(scratch_.File("home")) +
           " WINEPREFIX=" + pe_test::Quote(scratch_.File("prefix")) +
           (is64_ ? std::string(" WINEARCH=win64 WINELOADER=") + kWine64Loader : std::string()) +
           " WINEDLLOVERRIDES=winemenubuilder.exe=d WINEDEBUG=-all ";
  }
  static bool Fail(std::string& error, std::string message) {
    error = std::move(message);
    return false;
  }

  bool is64_;
  pe_test::ScratchDir scratch_;
  bool started_ = false;
};

std::string Fnv1a(const Bytes& bytes) {
  std::uint32_t hash = 2166136261u;
  for (std::uint8_t byte : bytes) hash = (hash ^ byte) * 16777619u;
  char text[16];
  std::snprintf(text, sizeof text, "%08x", hash);
  return text;
}

// What pe_stub.c prints for an image holding payload (or none).
std::string ExpectedOutput(const Bytes& image, const Bytes* payload) {
  mksetup::PeImage pe;
  std::string error;
  EXPECT_TRUE(mksetup::ParsePeImage(image, pe, error)) << error;
  char checksum[16];
  std::snprintf(checksum, sizeof checksum, "%08x", pe.checkSum);
  const std::string payloadLine =
      payload == nullptr
          ? "payload=missing"
          : "payload=" + std::to_string(payload->size()) + " fnv1a=" + Fnv1a(*payload);
  return payloadLine + "\n" + "dialog=1 icon=1 manifest=1 version=1 strings=1 alpha=1\n" +
         "checksum=" + checksum + " computed=" + checksum + "\n";
}

Bytes Write(const Bytes& image, const Bytes& payload) {
  Bytes out;
  std::string error;
  EXPECT_TRUE(mksetup::WriteResource(image, mksetup::PayloadResourceKey(), payload, out, error))
      << error;
  return out;
}

// Each way of writing the resource, on the stubs of one architecture: the
// stripped one, one whose .rsrc is the last section and an unstripped one.
void ExpectTheLoaderFindsEveryResource(bool is64, const std::string& stubPath,
                                       const std::string& lastPath,
                                       const std::string& symbolsPath) {
  const Bytes stub = pe_test::ReadBytes(stubPath);
  WinePrefix wine(is64);
  std::string error;
  ASSERT_TRUE(wine.Create(error)) << error;

  const Bytes large = pe_test::PatternBytes(3 << 20, 11);
  const Bytes medium = pe_test::PatternBytes(100000, 12);
  const Bytes small = pe_test::PatternBytes(5000, 13);
  const Bytes empty;
  struct Case {
    const char* name;
    Bytes image;
    const Bytes* payload;
  };
  const Case cases[] = {
      {"original.exe", stub, nullptr},
      {"appended.exe", Write(stub, large), &large},
      {"in-place-empty.exe", Write(pe_test::ReadBytes(lastPath), empty), &empty},
      {"replaced.exe", Write(Write(stub, large), small), &small},
      {"symbols.exe", Write(pe_test::ReadBytes(symbolsPath), medium), &medium},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = wine.File(c.name);
    ASSERT_TRUE(pe_test::WriteBytes(path, c.image));
    EXPECT_EQ(wine.RunProgram(path), ExpectedOutput(c.image, c.payload));
  }
}

bool WineSkipped() {
  const char* skip = std::getenv("SETUPKIT_SKIP_WINE");
  return skip != nullptr && *skip == '1';
}

TEST(PeResourcesUnderWine, TheLoaderFindsThePayloadAndEveryResource64) {
  if (WineSkipped()) GTEST_SKIP() << "SETUPKIT_SKIP_WINE=1";
  if (!std::filesystem::exists(kWine64Loader)) GTEST_SKIP() << "wine64 is not installed";
  PE_FIXTURE_OR_SKIP(stubPath, "pe_stub64.exe");
  PE_FIXTURE_OR_SKIP(lastPath, "pe_stub64_last.exe");
  PE_FIXTURE_OR_SKIP(symbolsPath, "pe_stub64_symbols.exe");
  ExpectTheLoaderFindsEveryResource(true, stubPath, lastPath, symbolsPath);
}

TEST(PeResourcesUnderWine, TheLoaderFindsThePayloadAndEveryResource32) {
  if (WineSkipped()) GTEST_SKIP() << "SETUPKIT_SKIP_WINE=1";
  if (!pe_test::HaveProgram("wine")) GTEST_SKIP() << "wine is not installed";
  if (pe_test::Run(std::string(kWine32Loader) + " --version 2>&1") != 0) {
    GTEST_SKIP() << "this machine cannot run 32-bit programs (" << kWine32Loader
                 << " does not start)";
  }
  PE_FIXTURE_OR_SKIP(stubPath, "pe_stub32.exe");
  PE_FIXTURE_OR_SKIP(lastPath, "pe_stub32_last.exe");
  PE_FIXTURE_OR_SKIP(symbolsPath, "pe_stub32_symbols.exe");
  ExpectTheLoaderFindsEveryResource(false, stubPath, lastPath, symbolsPath);
}

}  // namespace
