// Setup programs built with --codec lzma, with and without --solid: their
// files come back byte for byte through extract, the bytes do not depend on
// the threads, the entries carry the LZMA mark that no LZW stream has, and a
// damaged stream is refused.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "builder_test_support.h"
#include "mksetup/commands/cli.h"
#include "mksetup/payload/setup_payload.h"
#include "package/extraction.h"
#include "package/lzma/lzma_entry.h"
#include "package/lzw/lzw_stream.h"
#include "platform/sim/sim_platform.h"

namespace mksetup {
namespace {

using builder_test::Bytes;
using builder_test::ProductFolder;
using builder_test::RecordingConsole;

const char* const kFiles[] = {"text.txt",  "noise.bin", "empty.dat",
                              "zeros.img", "more.bin",  "tool.dll"};

void WriteProduct(const ProductFolder& product) {
  product.WriteScript(builder_test::MinimalScript(
      "1", {"text.txt|%InstallPath%\\text.txt", "noise.bin|%InstallPath%\\noise.bin",
            "empty.dat|%InstallPath%\\empty.dat", "zeros.img|%InstallPath%\\zeros.img",
            "more.bin|%InstallPath%\\more.bin", "tool.dll|%InstallPath%\\tool.dll",
            "UnInstaller.exe|%InstallPath%\\UnInstaller.exe",
            "Remove Uninstaller.exe|%InstallPath%\\Remove Uninstaller.exe"}));
  std::string text;
  for (int i = 0; text.size() < 300'000; ++i) text += "line " + std::to_string(i % 977) + "\r\n";
  product.WriteFile("text.txt", text);
  product.WriteFile("noise.bin", pe_test::PatternBytes(200'000, 7));
  product.WriteFile("empty.dat", Bytes());
  product.WriteFile("zeros.img", Bytes(500'000, 0));
  product.WriteFile("more.bin", pe_test::PatternBytes(100'000, 7));  // what noise.bin begins with
  product.WriteFile("tool.dll", "MZ" + text.substr(0, 50'000));
  product.WriteFile("UnInstaller.exe", "uninstaller");
  product.WriteFile("Remove Uninstaller.exe", "remover");
  product.WriteStub("lzw lzma");
}

Bytes Build(const ProductFolder& product, Codec codec, bool solid, unsigned jobs) {
  BuildOptions options = product.Options();
  options.codec = codec;
  options.solid = solid;
  options.jobs = jobs;
  RecordingConsole console;
  EXPECT_EQ(RunBuild(options, console.console), kExitOk) << console.err;
  return builder_test::ReadFile(product.OutputPath());
}

// The fifth byte of each compressed entry: the LZW code width or the LZMA
// mark; at = 5, an LZMA entry's first property byte ((pb * 5 + lp) * 9 + lc).
std::vector<int> Marks(const std::string& setup, std::size_t at = 4) {
  SetupPayload payload;
  std::string error;
  EXPECT_TRUE(ReadSetupPayload(setup, payload, error)) << error;
  std::vector<int> marks;
  for (std::size_t i = 0; i < payload.entries.size(); ++i) {
    if (payload.decoded[i] && payload.entries[i].size > at)
      marks.push_back(payload.entries[i].data[at]);
  }
  return marks;
}

TEST(LzmaBuild, EntriesComeBackAndTheBytesDoNotDependOnTheThreads) {
  ProductFolder product;
  WriteProduct(product);
  const std::size_t lzw = Build(product, Codec::Lzw, false, 2).size();
  EXPECT_EQ(Marks(product.OutputPath()), std::vector<int>(6, 16));
  std::size_t sizes[2] = {};
  for (const bool solid : {false, true}) {
    const Bytes one = Build(product, Codec::Lzma, solid, 1);
    EXPECT_TRUE(Build(product, Codec::Lzma, solid, 3) == one) << solid;
    sizes[solid] = one.size();
    const std::vector<int> marks =
        solid ? std::vector<int>{0xA1, 0xA2, 0xA2, 0xA2, 0xA2, 0xA2} : std::vector<int>(6, 0xA0);
    EXPECT_EQ(Marks(product.OutputPath()), marks);
    // A program's own stream models it as one (lc 2, pb 1); the rest, and
    // the solid stream of mostly other files (its members have no
    // properties), keep lc 3, pb 2.
    const std::vector<int> models =
        solid ? std::vector<int>{93} : std::vector<int>{93, 93, 93, 93, 93, 47};
    EXPECT_EQ(Marks(product.OutputPath(), 5), models);

    const std::string folder = product.root() + (solid ? "/solid" : "/own");
    RecordingConsole listed, extracted;
    EXPECT_EQ(RunList(product.OutputPath(), listed.console), kExitOk) << listed.err;
    const std::string row =
        std::string("  ") + (solid ? "solid" : "lzma") + "      300008  text.txt\n";
    EXPECT_NE(listed.out.find(row), std::string::npos) << listed.out;
    ASSERT_EQ(RunExtract(product.OutputPath(), folder, false, extracted.console), kExitOk)
        << extracted.err;
    for (const char* name : kFiles) {
      EXPECT_TRUE(builder_test::ReadFile(folder + "/" + name) ==
                  builder_test::ReadFile(product.FilePath(name)))
          << name << (solid ? " (solid)" : "");
    }
  }
  // more.bin repeats the start of noise.bin: only the solid stream sees it.
  EXPECT_LT(sizes[0], lzw);
  EXPECT_LT(sizes[1] + 50'000, sizes[0]);
  // Programs the most of its bytes: the solid stream is modelled as one.
  product.WriteFile("tool.dll", "MZ" + std::string(1'200'000, 'x'));
  Build(product, Codec::Lzma, true, 1);
  EXPECT_EQ(Marks(product.OutputPath(), 5), std::vector<int>(1, 47));
}

TEST(LzmaBuild, NoLzwStreamIsTakenForAnLzmaEntryAndADamagedOneIsRefused) {
  EXPECT_STREQ(package::LzmaStatusText(package::LzmaStatus::BadProperties),
               "the LZMA properties are not supported");
  EXPECT_STREQ(package::LzmaStatusText(package::LzmaStatus::WriteFailed),
               "the decoded bytes could not be written");
  EXPECT_STREQ(package::LzmaStatusText(static_cast<package::LzmaStatus>(42)), "unknown status");
  ProductFolder product;
  WriteProduct(product);
  for (const bool solid : {false, true}) {
    Build(product, Codec::Lzma, solid, 2);
    SetupPayload payload;
    std::string error;
    ASSERT_TRUE(ReadSetupPayload(product.OutputPath(), payload, error)) << error;
    const format::ArchiveEntry& text = payload.entries[1];  // after the script
    ASSERT_EQ(text.name, "text.txt");
    package::LzwStreamDecoder lzw;
    struct NoSink : package::LzwSink {
      bool Write(const std::uint8_t*, std::size_t) override { return true; }
      bool ReadBack(std::uint64_t, std::uint8_t*, std::size_t) override { return false; }
    } none;
    EXPECT_EQ(lzw.Decode(text.data, text.size, none), package::LzwStatus::BadWidth);

    // The entry, and for a solid head its members after it, decoded in order.
    const auto decode = [&](const Bytes& stored) {
      package::LzmaEntryDecoder decoder;
      const auto sink = [](const std::uint8_t*, std::size_t) { return true; };
      package::LzmaStatus status = decoder.Decode(stored.data(), stored.size(), sink);
      for (std::size_t i = 2; solid && i <= std::size(kFiles) && status == package::LzmaStatus::Ok;
           ++i)
        status = decoder.Decode(payload.entries[i].data, payload.entries[i].size, sink);
      return status;
    };
    const Bytes sound(text.data, text.data + text.size);
    EXPECT_EQ(decode(sound), package::LzmaStatus::Ok);
    Bytes flipped = sound;
    flipped[flipped.size() / 2] ^= 0x10;
    EXPECT_NE(decode(flipped), package::LzmaStatus::Ok) << solid;
    EXPECT_NE(decode(Bytes(sound.begin(), sound.end() - 3)), package::LzmaStatus::Ok) << solid;
    Bytes longer = sound;
    longer.push_back(0);
    EXPECT_NE(decode(longer), package::LzmaStatus::Ok) << solid;
    // Properties out of range: lc/lp/pb past 224, a dictionary past the limit.
    Bytes badModel = sound;
    badModel[package::kLzmaHeaderSize] = 225;
    EXPECT_EQ(decode(badModel), package::LzmaStatus::BadProperties) << solid;
    Bytes hugeDictionary = sound;
    std::fill_n(hugeDictionary.begin() + package::kLzmaHeaderSize + 1, 4, 0xff);
    EXPECT_EQ(decode(hugeDictionary), package::LzmaStatus::BadProperties) << solid;
    if (solid) {
      // A member alone has no stream to continue.
      package::LzmaEntryDecoder decoder;
      EXPECT_EQ(decoder.Decode(payload.entries[2].data, payload.entries[2].size,
                               [](const std::uint8_t*, std::size_t) { return true; }),
                package::LzmaStatus::NoSolidStream);
    }
  }
}

// Writes that take 5 ms each, as on a slow disk: the decoding thread then
// runs ahead until every chunk it hands over waits to be written.
std::FILE* SlowWriter(std::FILE* file) {
  cookie_io_functions_t calls{};
  calls.write = [](void* cookie, const char* data, std::size_t size) -> ssize_t {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return static_cast<ssize_t>(std::fwrite(data, 1, size, static_cast<std::FILE*>(cookie)));
  };
  calls.close = [](void* cookie) { return std::fclose(static_cast<std::FILE*>(cookie)); };
  return file == nullptr ? nullptr : fopencookie(file, "w", calls);
}

// The runtime's extraction of a solid product: one thread decodes while the
// other writes, also when the writing is slow and the decoded chunks go
// round. Every file comes back, progress goes in archive order, and a
// member that cannot be written stops it with nothing staged after it.
TEST(LzmaBuild, TheRuntimeStagesASolidStreamOnTwoThreads) {
  ProductFolder product;
  WriteProduct(product);
  std::string lines;  // 5 MB: more than the chunks hold
  for (int i = 0; lines.size() < (5u << 20); ++i) lines += "line " + std::to_string(i) + "\r\n";
  product.WriteFile("zeros.img", lines);
  Build(product, Codec::Lzma, true, 2);
  SetupPayload payload;
  std::string error;
  ASSERT_TRUE(ReadSetupPayload(product.OutputPath(), payload, error)) << error;

  // zeros.img's writes fail as on a full disk, when asked.
  struct Files : sim::SimFileSystem {
    using sim::SimFileSystem::SimFileSystem;
    std::string full;
    std::FILE* CreateStagedFile(const std::string& path) override {
      if (path == full) return std::fopen("/dev/full", "wb");
      return SlowWriter(sim::SimFileSystem::CreateStagedFile(path));
    }
  } staging(product.root() + "/sim");
  struct : package::ScriptScanner {
    bool CompressionFlag(platform::FileSystem&, const std::string&) override { return true; }
    void ImagePaths(platform::FileSystem&, const std::string&, std::string&,
                    std::string&) override {}
  } scanner;
  struct : sim::SimThreads {
    int both = 0;  // runs of two threads that wait on each other
    bool RunBoth(base::FunctionRef<void()> beside, base::FunctionRef<void()> here) override {
      ++both;
      return sim::SimThreads::RunBoth(beside, here);
    }
  } threads;
  const std::string folder = product.root() + "/sim/C/Staged";
  std::filesystem::create_directories(folder);
  std::vector<std::string> progress;
  const auto extract = [&] {
    progress.clear();
    return package::ExtractArchive(
        staging, threads, payload.archive, "C:\\Staged", scanner,
        [&](package::ProgressStep step, unsigned percent) {
          progress.push_back((step == package::ProgressStep::Label ? "label " : "bar ") +
                             std::to_string(percent));
        });
  };
  const package::ExtractionResult result = extract();
  ASSERT_EQ(result.status, package::ExtractionStatus::Ok) << result.message;
  EXPECT_EQ(threads.both, 1);
  for (const char* name : kFiles) {
    EXPECT_TRUE(builder_test::ReadFile(folder + "/" + name) ==
                builder_test::ReadFile(product.FilePath(name)))
        << name;
  }
  std::vector<std::string> expected;
  for (std::size_t i = 0; i < payload.entries.size(); ++i) {
    const std::string percent = std::to_string(100 * i / payload.entries.size());
    expected.insert(expected.end(), {"label " + percent, "bar " + percent});
  }
  EXPECT_EQ(progress, expected);

  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  staging.full = "C:\\Staged\\zeros.img";
  const package::ExtractionResult failed = extract();
  EXPECT_EQ(failed.status, package::ExtractionStatus::CannotWrite);
  EXPECT_EQ(failed.message, "Cannot write file C:\\Staged\\zeros.img");
  EXPECT_TRUE(std::filesystem::exists(folder + "/empty.dat"));
  EXPECT_FALSE(std::filesystem::exists(folder + "/zeros.img"));
  EXPECT_FALSE(std::filesystem::exists(folder + "/more.bin"));
}

// A runtime's marker says what it decodes; one without decodes LZW only.
// Nothing is written for a codec the runtime cannot decode.
TEST(LzmaBuild, RuntimeThatCannotDecodeTheCodecIsRefused) {
  ProductFolder product;
  WriteProduct(product);
  const auto refusal = [&](Codec codec) {
    BuildOptions options = product.Options();
    options.codec = codec;
    RecordingConsole console;
    EXPECT_EQ(RunBuild(options, console.console), kExitFailure);
    EXPECT_FALSE(std::filesystem::exists(product.OutputPath()));
    return console.err;
  };
  product.WriteStub();
  EXPECT_EQ(refusal(Codec::Lzma), "mksetup: error: the setup runtime " + product.StubPath() +
                                      " does not decode LZMA, which --codec lzma asks for: it "
                                      "decodes LZW only\n");
  product.WriteStub("lzma");
  EXPECT_EQ(refusal(Codec::Lzw), "mksetup: error: the setup runtime " + product.StubPath() +
                                     " does not decode LZW, which --codec lzw asks for: it "
                                     "decodes LZMA only\n");
  Build(product, Codec::Lzma, false, 1);
}

TEST(LzmaBuild, SolidNeedsLzma) {
  pe_test::ScratchDir scratch;
  RecordingConsole console;
  EXPECT_EQ(RunCommandLine({"build", "--solid", "--script", "s", "--files", "f", "-o", "o.exe"},
                           console.console),
            kExitUsage);
  EXPECT_NE(console.err.find("build: --solid needs --codec lzma"), std::string::npos);
}

}  // namespace
}  // namespace mksetup
#endif
