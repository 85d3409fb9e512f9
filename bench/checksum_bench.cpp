// The payload check beside the extraction it guards, on a 100 MiB archive
// block: the SHA-256 of the whole block against ExtractArchive writing the
// same block into a staging folder on disk (the simulated machine's files
// are real files under a temporary folder), as the runtime does. Figures are in archive bytes per
// second, so the two compare directly. Whole entries are added until the
// block reaches 100 MiB, so it ends a little past it.
//
// Archives:
//   stored      the setup script with the compression flag off and 100 MiB
//               of program-like files stored as they are: extraction is
//               little more than writing, the cheapest it gets
//   compressed  the flag on and the same kind of files, compressed until the
//               block holds 100 MiB: every entry is decoded as well
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "base/little_endian.h"
#include "package/extraction.h"
#include "package/lzw/lzw.h"
#include "package/payload_checksum.h"
#include "package/sha256/sha256_blocks.h"
#include "platform/sim/sim_platform.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kBlockSize = 100u << 20;
constexpr std::size_t kFileSize = 8u << 20;

using base::AppendLe32;

void AppendEntry(Bytes& block, const std::string& name, const Bytes& stored) {
  block.insert(block.end(), name.begin(), name.end());
  block.push_back(0);
  AppendLe32(block, static_cast<std::uint32_t>(stored.size()));
  block.insert(block.end(), stored.begin(), stored.end());
}

// Records of recurring opcodes with varying operands: compresses about as
// well as a program file.
Bytes ProgramLike(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  Bytes bytes;
  static const std::uint8_t kOps[][3] = {
      {0x48, 0x89, 0xE5}, {0x48, 0x8B, 0x45}, {0xE8, 0, 0}, {0x0F, 0x1F, 0x44}};
  while (bytes.size() < size) {
    const auto& op = kOps[random() % 4];
    bytes.insert(bytes.end(), op, op + 3);
    bytes.push_back(static_cast<std::uint8_t>(random() % 16));
    bytes.push_back(static_cast<std::uint8_t>(random()));
  }
  bytes.resize(size);
  return bytes;
}

Bytes BuildBlock(bool compressed) {
  const std::string script =
      std::string("Bench\r\nBench Setup\r\n1.0\r\nAcme\r\nnotice\r\n[fls]\r\n") +
      (compressed ? "1" : "0") + "\r\n[/fls]\r\n";
  std::vector<std::pair<std::string, Bytes>> entries;
  std::size_t total = 4 + 17 + script.size();
  for (unsigned i = 0; total < kBlockSize; ++i) {
    Bytes stored = ProgramLike(kFileSize, i);
    if (compressed) {
      Bytes stream;
      package::LzwEncode(stored.data(), stored.size(), package::kLzwDefaultWidth, stream);
      stored.swap(stream);
    }
    const std::string name = "file" + std::to_string(i) + ".bin";
    total += name.size() + 5 + stored.size();
    entries.emplace_back(name, std::move(stored));
  }
  Bytes block;
  AppendLe32(block, static_cast<std::uint32_t>(entries.size() + 1));
  AppendEntry(block, "log_file.txt", Bytes(script.begin(), script.end()));
  for (const auto& [name, stored] : entries) AppendEntry(block, name, stored);
  return block;
}

const Bytes& Block(bool compressed) {
  static const Bytes stored = BuildBlock(false);
  static const Bytes packed = BuildBlock(true);
  return compressed ? packed : stored;
}

class FixedScanner : public package::ScriptScanner {
 public:
  explicit FixedScanner(bool flag) : flag_(flag) {}
  bool CompressionFlag(platform::FileSystem&, const std::string&) override { return flag_; }
  void ImagePaths(platform::FileSystem&, const std::string&, std::string&, std::string&) override {}

 private:
  bool flag_;
};

// The check as the runtime makes it, with the compression it picks on this
// processor (the SHA instructions where there are any).
void BM_Checksum(benchmark::State& state) {
  const Bytes& block = Block(state.range(0) != 0);
  const package::Sha256Digest digest = package::Sha256Of(block);
  for (auto _ : state) {
    const package::ChecksumVerdict verdict = package::CheckPayloadChecksum(block, true, digest);
    benchmark::DoNotOptimize(verdict);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * block.size()));
}

// The digest with the portable compression, which processors without the
// SHA instructions run.
void BM_ChecksumPortable(benchmark::State& state) {
  const Bytes& block = Block(state.range(0) != 0);
  for (auto _ : state) {
    package::Sha256 hash(package::Sha256BlocksPortable);
    hash.Update(block);
    benchmark::DoNotOptimize(hash.Finish());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * block.size()));
}

void BM_Extraction(benchmark::State& state) {
  const bool compressed = state.range(0) != 0;
  const Bytes& block = Block(compressed);
  sim::SimPlatform sim;
  const std::string staging = "C:\\users\\tester\\Temp\\$ddinstall";
  sim.files.TempFolder();
  sim.files.MakeFolder(staging);
  FixedScanner scanner(compressed);
  sim::SimThreads threads;
  for (auto _ : state) {
    const package::ExtractionResult result = package::ExtractArchive(
        sim.files, threads, block, staging, scanner, [](package::ProgressStep, unsigned) {});
    if (result.status != package::ExtractionStatus::Ok) state.SkipWithError(result.message.c_str());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * block.size()));
}

}  // namespace

BENCHMARK(BM_Checksum)
    ->ArgName("compressed")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK(BM_ChecksumPortable)
    ->ArgName("compressed")
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK(BM_Extraction)
    ->ArgName("compressed")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);

BENCHMARK_MAIN();
