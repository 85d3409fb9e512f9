// Whole-process build: `mksetup build` of a 100 MB product on one thread and
// on one per processor, with LZW, LZMA and solid LZMA, beside Debian's
// makensis (default zlib, `SetCompressor lzma`, `SetCompressor /SOLID lzma`)
// on the same files when /usr/bin/makensis is installed. The product is the
// first 100 MB, by name, of Wine's 32-bit Windows DLLs (/usr/lib/i386-linux-
// gnu/wine/i386-windows, from the wine32 package), or where wine32 is not
// installed the first 106 MB of its 64-bit ones (x86_64-windows). The
// counter ratio is the setup program's size over the files' size. The LZMA
// builds take the runtime SETUPKIT_LZMA_RUNTIME names, or the LZMA runtime
// beside the LZW one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <cstdlib>
#include <string>
#include <vector>

#include "process_bench_support.h"

namespace {

using namespace bench_support;
namespace fs = std::filesystem;

constexpr const char* kDllFolder = "/usr/lib/i386-linux-gnu/wine/i386-windows";
constexpr std::uintmax_t kProductSize = 100'000'000;
constexpr const char* kDllFolder64 = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows";
constexpr std::uintmax_t kProductSize64 = 106'000'000;
constexpr const char* kMakensis = "/usr/bin/makensis";

// makensis' default (zlib), then its LZMA and solid LZMA.
constexpr const char* kNsisCompressors[] = {"", "SetCompressor lzma\n",
                                            "SetCompressor /SOLID lzma\n"};

std::string LzmaRuntimePath() {
  if (const char* given = std::getenv("SETUPKIT_LZMA_RUNTIME")) return given;
  std::string path = RuntimePath();
  const std::size_t dot = path.rfind(".exe");
  return dot == std::string::npos ? path : path.insert(dot, "-lzma");
}

struct Product {
  Scratch scratch;
  std::string files = scratch.Path("files");
  std::uintmax_t bytes = 0;
  std::string error;

  Product() {
    std::vector<fs::path> dlls;
    std::error_code ec;
    const bool wine32 = fs::is_directory(kDllFolder);
    const std::uintmax_t size = wine32 ? kProductSize : kProductSize64;
    for (const auto& entry : fs::directory_iterator(wine32 ? kDllFolder : kDllFolder64, ec)) {
      if (entry.is_regular_file()) dlls.push_back(entry.path());
    }
    std::sort(dlls.begin(), dlls.end());
    if (dlls.empty()) {
      error = std::string(kDllFolder) + " and " + kDllFolder64 + " are missing (install wine)";
      return;
    }
    fs::create_directory(files);
    std::string script = "Bench\r\nBench Setup\r\n1.0\r\nAcme\r\n-N-A-\r\n[fls]\r\n1\r\n";
    std::string nsis = "InstallDir $PROGRAMFILES\\Bench\nSection\n";
    for (const fs::path& dll : dlls) {
      if (bytes >= size) break;
      if (!wine32 && dll.extension() != ".dll") continue;
      const std::string name = dll.filename().string();
      fs::copy_file(dll, files + "/" + name);
      bytes += fs::file_size(dll);
      script += name + "|%InstallPath%\\" + name + "\r\n";
      nsis += "File \"" + files + "/" + name + "\"\n";
    }
    CopySampleUninstallers(files);
    script +=
        "[/fls]\r\n[uninst_gene]\r\nUninstalling\r\n-NA-\r\n[/uninst_gene]\r\n[uninst_fls]\r\n[/uninst_fls]\r\n";
    nsis += "SectionEnd\n";
    WriteFile(scratch.Path("setup.txt"), Bytes(script.begin(), script.end()));
    // One script per compressor, each with its own output.
    for (int i = 0; i < 3; ++i) {
      const std::string text = kNsisCompressors[i] + std::string("OutFile \"") +
                               scratch.Path("nsis" + std::to_string(i) + ".exe") + "\"\n" + nsis;
      WriteFile(scratch.Path("bench" + std::to_string(i) + ".nsi"),
                Bytes(text.begin(), text.end()));
    }
  }
};

Product& TheProduct() {
  static Product product;
  return product;
}

void Report(benchmark::State& state, const std::string& output, double cpuSeconds) {
  const Product& product = TheProduct();
  state.counters["ratio"] =
      static_cast<double>(fs::file_size(output)) / static_cast<double>(product.bytes);
  state.counters["cpu_s"] = cpuSeconds / static_cast<double>(state.iterations());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * product.bytes));
}

void BM_MksetupBuild(benchmark::State& state) {
  Product& product = TheProduct();
  if (!product.error.empty()) {
    state.SkipWithError(product.error.c_str());
    return;
  }
  const std::string output = product.scratch.Path("Setup.exe");
  const std::string jobs = std::to_string(state.range(0));
  // range(1): 0 LZW, 1 LZMA, 2 solid LZMA.
  std::vector<std::string> command = {
      MksetupPath(), "build",       "--jobs", jobs,   "--script", product.scratch.Path("setup.txt"),
      "--files",     product.files, "-o",     output, "--stub"};
  command.push_back(state.range(1) == 0 ? RuntimePath() : LzmaRuntimePath());
  if (state.range(1) > 0) command.insert(command.end(), {"--codec", "lzma"});
  if (state.range(1) == 2) command.push_back("--solid");
  double cpu = 0;
  for (auto _ : state) {
    if (Run(command, "/dev/null", &cpu) != 0) {
      state.SkipWithError("mksetup build failed (is the runtime there? set SETUPKIT_RUNTIME)");
      return;
    }
  }
  Report(state, output, cpu);
}

void BM_Makensis(benchmark::State& state) {
  Product& product = TheProduct();
  if (!product.error.empty() || !fs::exists(kMakensis)) {
    state.SkipWithError(product.error.empty() ? "makensis is not installed"
                                              : product.error.c_str());
    return;
  }
  const std::string which = std::to_string(state.range(0));
  double cpu = 0;
  for (auto _ : state) {
    if (Run({kMakensis, "-V1", product.scratch.Path("bench" + which + ".nsi")}, "/dev/null",
            &cpu) != 0) {
      state.SkipWithError("makensis failed");
      return;
    }
  }
  Report(state, product.scratch.Path("nsis" + which + ".exe"), cpu);
}

// Arguments: jobs, codec (0 LZW, 1 LZMA, 2 solid LZMA). The LZMA builds
// take tens of seconds: one iteration each.
BENCHMARK(BM_MksetupBuild)
    ->Args({1, 0})
    ->Args({2, 0})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_MksetupBuild)
    ->Args({2, 1})
    ->Args({2, 2})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
// Argument: 0 zlib, 1 lzma, 2 /SOLID lzma.
BENCHMARK(BM_Makensis)->Arg(0)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Makensis)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
