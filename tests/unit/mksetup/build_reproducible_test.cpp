// A setup program depends on the script, the files and the runtime alone:
// not on the number of threads that compress it, the files' times, the
// folder they are in, the time zone or the build's date.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "builder_test_support.h"
#include "mksetup/payload/stored_archive.h"
#include "mksetup/host/ordered_work.h"

namespace mksetup {
namespace {

using builder_test::Bytes;
using builder_test::MinimalScript;
using builder_test::ProductFolder;
using builder_test::RecordingConsole;

// Files of every kind the archive holds: compressible, incompressible,
// empty, long runs, and more of them than threads.
void WriteMixedProduct(const ProductFolder& product) {
  product.WriteScript(MinimalScript(
      "1", {"text.txt|%InstallPath%\\text.txt", "noise.bin|%InstallPath%\\noise.bin",
            "empty.dat|%InstallPath%\\empty.dat", "zeros.img|%InstallPath%\\zeros.img",
            "small.cfg|%InstallPath%\\small.cfg", "more.bin|%InstallPath%\\more.bin",
            "UnInstaller.exe|%InstallPath%\\UnInstaller.exe",
            "Remove Uninstaller.exe|%InstallPath%\\Remove Uninstaller.exe"}));
  std::string text;
  for (int i = 0; text.size() < 300'000; ++i)
    text += "line " + std::to_string(i % 977) + " of the licence\r\n";
  product.WriteFile("text.txt", text);
  product.WriteFile("noise.bin", pe_test::PatternBytes(200'000, 7));
  product.WriteFile("empty.dat", Bytes());
  product.WriteFile("zeros.img", Bytes(500'000, 0));
  product.WriteFile("small.cfg", "[editor]\r\nwrap=1\r\n");
  product.WriteFile("more.bin", pe_test::PatternBytes(100'000, 8));
  product.WriteFile("UnInstaller.exe", "uninstaller");
  product.WriteFile("Remove Uninstaller.exe", "remover");
  product.WriteStub();
}

Bytes Build(const ProductFolder& product, unsigned jobs) {
  BuildOptions options = product.Options();
  options.jobs = jobs;
  RecordingConsole console;
  EXPECT_EQ(RunBuild(options, console.console), kExitOk) << console.err;
  return builder_test::ReadFile(product.OutputPath());
}

TEST(ParallelBuild, GivesTheSameBytesOnAnyNumberOfThreads) {
  ProductFolder product;
  WriteMixedProduct(product);
  const Bytes single = Build(product, 1);
  ASSERT_FALSE(single.empty());
  for (const unsigned jobs : {2u, 3u, 8u, 0u}) {
    EXPECT_TRUE(Build(product, jobs) == single) << jobs << " threads";
  }
}

TEST(ParallelBuild, ReportsTheFirstFailingEntryInArchiveOrder) {
  ProductFolder product;
  product.WriteFile("a", "aaaa");
  product.WriteFile("b", "bbbb");
  product.WriteFile("d", "dddd");
  BuildPlan plan;
  const auto entry = [&](const std::string& name, std::uint64_t size) {
    PlannedEntry planned;
    planned.name = name;
    planned.sourcePath = product.FilePath(name);
    planned.size = size;
    planned.compressed = true;
    return planned;
  };
  // b has changed size since the plan was made; c is missing; d is fine.
  plan.entries = {entry("a", 4), entry("b", 3), entry("c", 1), entry("d", 4)};
  for (const unsigned threads : {1u, 2u, 4u}) {
    StoredArchive archive;
    std::string error;
    std::vector<std::size_t> shown;
    const StoreProgress progress = [&](std::size_t index, const PlannedEntry&, std::uint64_t,
                                       std::uint64_t) { shown.push_back(index); };
    EXPECT_FALSE(StoreArchive(plan, {}, progress, archive, error, threads));
    EXPECT_EQ(error, product.FilePath("b") + " changed while the setup program was being built")
        << threads;
    EXPECT_EQ(shown, (std::vector<std::size_t>{0, 1})) << threads;
  }
}

TEST(OrderedWork, ConsumesInOrderWhateverFinishesFirst) {
  for (const unsigned threads : {1u, 2u, 5u}) {
    std::vector<std::size_t> order;
    const bool done = RunInOrder<std::size_t>(
        40, threads,
        [](std::size_t item) {
          // Early items take longest, so later ones finish first.
          std::this_thread::sleep_for(std::chrono::microseconds((40 - item) * 50));
          return item * item;
        },
        [&](std::size_t item, std::size_t& square) {
          EXPECT_EQ(square, item * item);
          order.push_back(item);
          return true;
        });
    EXPECT_TRUE(done);
    ASSERT_EQ(order.size(), 40u);
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], i) << threads;
  }
}

TEST(OrderedWork, StopsWhenConsumeRefuses) {
  for (const unsigned threads : {1u, 3u}) {
    std::atomic<std::size_t> produced{0};
    std::size_t consumed = 0;
    const bool done = RunInOrder<int>(
        1000, threads,
        [&](std::size_t) {
          ++produced;
          return 0;
        },
        [&](std::size_t item, int&) {
          ++consumed;
          return item < 5;
        });
    EXPECT_FALSE(done);
    EXPECT_EQ(consumed, 6u);
    // Workers run only a few items ahead of the one refused.
    EXPECT_LE(produced.load(), 6u + 2 * threads + threads);
  }
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, had_ = true;
    setenv(name, value, 1);
    tzset();
  }
  ~ScopedEnv() {
    if (had_) {
      setenv(name_, old_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
    tzset();
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

TEST(ReproducibleBuild, SameInputsGiveTheSameSetupProgram) {
  ProductFolder first;
  WriteMixedProduct(first);
  Bytes reference;
  {
    ScopedEnv zone("TZ", "UTC");
    ScopedEnv epoch("SOURCE_DATE_EPOCH", "0");
    reference = Build(first, 1);
  }
  ASSERT_FALSE(reference.empty());

  // Another folder, other file times, another zone and build date, more
  // threads, and a built tool in its own process.
  ProductFolder second;
  WriteMixedProduct(second);
  const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 400);
  for (const auto& file : std::filesystem::directory_iterator(second.FilesPath())) {
    std::filesystem::last_write_time(file.path(), past);
  }
  std::filesystem::last_write_time(second.ScriptPath(), past);
  std::filesystem::last_write_time(second.StubPath(), past);
  {
    ScopedEnv zone("TZ", "Pacific/Kiritimati");
    ScopedEnv epoch("SOURCE_DATE_EPOCH", "1900000000");
    EXPECT_TRUE(Build(second, 2) == reference);
  }
#if defined(SETUPKIT_MKSETUP_BINARY)
  const std::string command = "TZ=America/St_Johns SOURCE_DATE_EPOCH=1234567890 " +
                              pe_test::Quote(SETUPKIT_MKSETUP_BINARY) +
                              " build --jobs 3 --script " + pe_test::Quote(second.ScriptPath()) +
                              " --files " + pe_test::Quote(second.FilesPath()) + " --stub " +
                              pe_test::Quote(second.StubPath()) + " -o " +
                              pe_test::Quote(second.OutputPath()) + " >/dev/null 2>&1";
  ASSERT_EQ(pe_test::Run(command), 0);
  EXPECT_TRUE(builder_test::ReadFile(second.OutputPath()) == reference);
#endif
}

}  // namespace
}  // namespace mksetup
#endif
