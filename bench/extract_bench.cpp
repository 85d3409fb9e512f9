// Whole-process extraction: `mksetup extract` of a setup program against
// `gzip -dc` of the same bytes into a file, each timed as a process from start
// to exit (wall time). The product is the case the codec was tuned for: the
// first 6.5 MiB of a program binary (GCC's cc1) and 6 MB of licence text, two
// files; gzip gets both bytes back to back as one file at its default level.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "process_bench_support.h"

namespace {

using namespace bench_support;

constexpr std::size_t kProgramSize = 6'815'744;
constexpr std::size_t kTextSize = 6'000'000;

// The product, its setup program and its gzip file, made once.
struct Product {
  Scratch scratch;
  std::string setup = scratch.Path("Setup.exe");
  std::string gz = scratch.Path("product.gz");
  std::string error;

  Product() {
    const Bytes program = ProgramBytes(kProgramSize);
    const Bytes text = LicenceText(kTextSize);
    if (program.empty() || text.empty()) {
      error = "no program binary or licence texts on this machine";
      return;
    }
    std::filesystem::create_directory(scratch.Path("files"));
    WriteFile(scratch.Path("files/program.bin"), program);
    WriteFile(scratch.Path("files/licences.txt"), text);
    CopySampleUninstallers(scratch.Path("files"));
    const std::string script =
        "Bench\r\nBench Setup\r\n1.0\r\nAcme\r\n-N-A-\r\n[fls]\r\n1\r\n"
        "program.bin|%InstallPath%\\program.bin\r\nlicences.txt|%InstallPath%\\licences.txt\r\n"
        "[/fls]\r\n[uninst_gene]\r\nUninstalling\r\n-NA-\r\n[/uninst_gene]\r\n[uninst_fls]\r\n[/uninst_fls]\r\n";
    WriteFile(scratch.Path("setup.txt"), Bytes(script.begin(), script.end()));
    if (Run({MksetupPath(), "build", "--script", scratch.Path("setup.txt"), "--files",
             scratch.Path("files"), "--stub", RuntimePath(), "-o", setup},
            "/dev/null") != 0) {
      error = "mksetup build failed (is " + RuntimePath() + " there? set SETUPKIT_RUNTIME)";
      return;
    }
    Bytes both = program;
    both.insert(both.end(), text.begin(), text.end());
    WriteFile(scratch.Path("product"), both);
    if (Run({"/bin/gzip", "-k", "-c", scratch.Path("product")}, gz) != 0) error = "gzip failed";
  }
};

// Bytes per second of wall time, and the processor time per run.
void Report(benchmark::State& state, double cpuSeconds) {
  state.SetBytesProcessed(
      static_cast<std::int64_t>(state.iterations() * (kProgramSize + kTextSize)));
  state.counters["cpu_ms"] = 1000 * cpuSeconds / static_cast<double>(state.iterations());
}

Product& TheProduct() {
  static Product product;
  return product;
}

void BM_MksetupExtract(benchmark::State& state) {
  Product& product = TheProduct();
  if (!product.error.empty()) {
    state.SkipWithError(product.error.c_str());
    return;
  }
  const std::string folder = product.scratch.Path("extracted");
  double cpu = 0;
  for (auto _ : state) {
    if (Run({MksetupPath(), "extract", product.setup, "-C", folder}, "/dev/null", &cpu) != 0) {
      state.SkipWithError("mksetup extract failed");
      return;
    }
  }
  Report(state, cpu);
}

void BM_GzipDecompress(benchmark::State& state) {
  Product& product = TheProduct();
  if (!product.error.empty()) {
    state.SkipWithError(product.error.c_str());
    return;
  }
  const std::string output = product.scratch.Path("gunzipped");
  double cpu = 0;
  for (auto _ : state) {
    if (Run({"/bin/gzip", "-dc", product.gz}, output, &cpu) != 0) {
      state.SkipWithError("gzip -dc failed");
      return;
    }
  }
  Report(state, cpu);
}

BENCHMARK(BM_MksetupExtract)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_GzipDecompress)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
