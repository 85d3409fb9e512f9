// Whole-process build: `mksetup build` of a 100 MB product on one thread and
// on one per processor, beside Debian's makensis (default zlib) on the same
// files when /usr/bin/makensis is installed. The product is the first 100 MB,
// by name, of Wine's 32-bit Windows DLLs (/usr/lib/i386-linux-gnu/wine/
// i386-windows, from the wine32 package). The counter ratio is the setup
// program's size over the files' size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "process_bench_support.h"

namespace {

using namespace bench_support;
namespace fs = std::filesystem;

constexpr const char* kDllFolder = "/usr/lib/i386-linux-gnu/wine/i386-windows";
constexpr std::uintmax_t kProductSize = 100'000'000;
constexpr const char* kMakensis = "/usr/bin/makensis";

struct Product {
  Scratch scratch;
  std::string files = scratch.Path("files");
  std::uintmax_t bytes = 0;
  std::string error;

  Product() {
    std::vector<fs::path> dlls;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(kDllFolder, ec)) {
      if (entry.is_regular_file()) dlls.push_back(entry.path());
    }
    std::sort(dlls.begin(), dlls.end());
    if (dlls.empty()) {
      error = std::string(kDllFolder) + " is missing (install wine32)";
      return;
    }
    fs::create_directory(files);
    std::string script = "Bench\r\nBench Setup\r\n1.0\r\nAcme\r\n-N-A-\r\n[fls]\r\n1\r\n";
    std::string nsis =
        "OutFile \"" + scratch.Path("nsis.exe") + "\"\nInstallDir $PROGRAMFILES\\Bench\nSection\n";
    for (const fs::path& dll : dlls) {
      if (bytes >= kProductSize) break;
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
    WriteFile(scratch.Path("bench.nsi"), Bytes(nsis.begin(), nsis.end()));
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
  double cpu = 0;
  for (auto _ : state) {
    if (Run({MksetupPath(), "build", "--jobs", jobs, "--script", product.scratch.Path("setup.txt"),
             "--files", product.files, "--stub", RuntimePath(), "-o", output},
            "/dev/null", &cpu) != 0) {
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
  double cpu = 0;
  for (auto _ : state) {
    if (Run({kMakensis, "-V1", product.scratch.Path("bench.nsi")}, "/dev/null", &cpu) != 0) {
      state.SkipWithError("makensis failed");
      return;
    }
  }
  Report(state, product.scratch.Path("nsis.exe"), cpu);
}

BENCHMARK(BM_MksetupBuild)
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_Makensis)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
