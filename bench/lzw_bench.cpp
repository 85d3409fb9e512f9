// The LZW codec beside memcpy and zlib (inflate, deflate level 6) on the same
// inputs. Every figure is in uncompressed bytes per second.
//
// Inputs:
//   binary  the first 6.5 MiB of a large program file of the build machine
//           (GCC's cc1, present wherever this project builds); a stand-in
//           made of code-like records when none of the candidates exists
//   text    the licence texts of /usr/share/common-licenses, repeated to 4 MiB
//   random  4 MiB of pseudo-random bytes
//   ramp16  a 16-bit little-endian counter, 4 MiB: every string's extensions
//           arrive in rising byte order, the worst order for a search tree
//   zeros   4 MiB of zero bytes: the longest strings
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "package/lzw/lzw.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kBinarySize = 6'815'744;  // 6.5 MiB
constexpr std::size_t kOtherSize = 4 << 20;

Bytes ReadFile(const std::string& path, std::size_t limit) {
  std::ifstream file(path, std::ios::binary);
  Bytes bytes(std::istreambuf_iterator<char>(file), {});
  if (bytes.size() > limit) bytes.resize(limit);
  return bytes;
}

Bytes BinaryInput() {
  const char* const candidates[] = {"/usr/lib/gcc/x86_64-linux-gnu/12/cc1",
                                    "/usr/lib/gcc/x86_64-linux-gnu/12/cc1plus",
                                    "/usr/lib/x86_64-linux-gnu/libLLVM-14.so.1", "/usr/bin/node"};
  for (const char* path : candidates) {
    Bytes bytes = ReadFile(path, kBinarySize);
    if (bytes.size() == kBinarySize) {
      std::fprintf(stderr, "binary input: first %zu bytes of %s\n", bytes.size(), path);
      return bytes;
    }
  }
  // Records of a few recurring opcodes with small varying operands.
  std::fprintf(stderr,
               "binary input: none of the candidate files exists; using a synthetic stand-in\n");
  std::mt19937 random(1);
  Bytes bytes;
  while (bytes.size() < kBinarySize) {
    static const std::uint8_t kOps[][3] = {
        {0x48, 0x89, 0xE5}, {0x48, 0x8B, 0x45}, {0xE8, 0, 0}, {0x0F, 0x1F, 0x44}};
    const auto& op = kOps[random() % 4];
    bytes.insert(bytes.end(), op, op + 3);
    for (auto i = static_cast<unsigned>(random() % 5); i > 0; --i)
      bytes.push_back(static_cast<std::uint8_t>(random() % 16));
  }
  bytes.resize(kBinarySize);
  return bytes;
}

Bytes TextInput() {
  Bytes once;
  std::error_code error;
  std::vector<std::filesystem::path> files;
  for (const auto& entry :
       std::filesystem::directory_iterator("/usr/share/common-licenses", error)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  for (const auto& path : files) {
    const Bytes text = ReadFile(path.string(), kOtherSize);
    once.insert(once.end(), text.begin(), text.end());
  }
  if (once.empty()) once.assign({'N', 'o', ' ', 'l', 'i', 'c', 'e', 'n', 'c', 'e', 's', '.', '\n'});
  Bytes bytes;
  while (bytes.size() < kOtherSize) bytes.insert(bytes.end(), once.begin(), once.end());
  bytes.resize(kOtherSize);
  return bytes;
}

Bytes RandomInput() {
  std::mt19937 random(2);
  Bytes bytes(kOtherSize);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
  return bytes;
}

Bytes RampInput() {
  Bytes bytes(kOtherSize);
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    bytes[i] = static_cast<std::uint8_t>(i / 2);
    bytes[i + 1] = static_cast<std::uint8_t>(i / 512);
  }
  return bytes;
}

// An input with its LZW and zlib forms, made once.
struct Input {
  Bytes plain;
  Bytes lzw;
  Bytes zlib;
};

const Input& GetInput(const std::string& name) {
  static std::map<std::string, Input> inputs;
  auto found = inputs.find(name);
  if (found != inputs.end()) return found->second;
  Input input;
  if (name == "binary") input.plain = BinaryInput();
  if (name == "text") input.plain = TextInput();
  if (name == "random") input.plain = RandomInput();
  if (name == "ramp16") input.plain = RampInput();
  if (name == "zeros") input.plain = Bytes(kOtherSize, 0);
  package::LzwEncode(input.plain.data(), input.plain.size(), package::kLzwDefaultWidth, input.lzw);
  uLongf zlibSize = compressBound(static_cast<uLong>(input.plain.size()));
  input.zlib.resize(zlibSize);
  compress2(input.zlib.data(), &zlibSize, input.plain.data(),
            static_cast<uLong>(input.plain.size()), 6);
  input.zlib.resize(zlibSize);
  std::fprintf(stderr, "%-7s %9zu bytes; LZW (W=16) %9zu; zlib -6 %9zu\n", name.c_str(),
               input.plain.size(), input.lzw.size(), input.zlib.size());
  return inputs.emplace(name, std::move(input)).first->second;
}

void Memcpy(benchmark::State& state, const std::string& name) {
  const Input& input = GetInput(name);
  Bytes copy(input.plain.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), input.plain.data(), input.plain.size());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.plain.size()));
}

void LzwDecode(benchmark::State& state, const std::string& name) {
  const Input& input = GetInput(name);
  Bytes output;
  if (package::LzwDecode(input.lzw.data(), input.lzw.size(), output) != package::LzwStatus::Ok ||
      output != input.plain) {
    state.SkipWithError("decode failed");
    return;
  }
  for (auto _ : state) {
    package::LzwDecode(input.lzw.data(), input.lzw.size(), output);
    benchmark::DoNotOptimize(output.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.plain.size()));
}

void ZlibInflate(benchmark::State& state, const std::string& name) {
  const Input& input = GetInput(name);
  Bytes output(input.plain.size());
  for (auto _ : state) {
    uLongf size = static_cast<uLongf>(output.size());
    if (uncompress(output.data(), &size, input.zlib.data(),
                   static_cast<uLong>(input.zlib.size())) != Z_OK) {
      state.SkipWithError("inflate failed");
      break;
    }
    benchmark::DoNotOptimize(output.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.plain.size()));
}

void LzwEncode(benchmark::State& state, const std::string& name) {
  const Input& input = GetInput(name);
  Bytes stream;
  for (auto _ : state) {
    package::LzwEncode(input.plain.data(), input.plain.size(), package::kLzwDefaultWidth, stream);
    benchmark::DoNotOptimize(stream.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.plain.size()));
}

void ZlibDeflate6(benchmark::State& state, const std::string& name) {
  const Input& input = GetInput(name);
  Bytes stream(compressBound(static_cast<uLong>(input.plain.size())));
  for (auto _ : state) {
    uLongf size = static_cast<uLongf>(stream.size());
    compress2(stream.data(), &size, input.plain.data(), static_cast<uLong>(input.plain.size()), 6);
    benchmark::DoNotOptimize(stream.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.plain.size()));
}

void RegisterAll() {
  for (const char* name : {"binary", "text", "random", "ramp16", "zeros"}) {
    const std::string input = name;
    benchmark::RegisterBenchmark(("memcpy/" + input).c_str(), Memcpy, input)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("LzwDecode/" + input).c_str(), LzwDecode, input)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("inflate/" + input).c_str(), ZlibInflate, input)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("LzwEncode/" + input).c_str(), LzwEncode, input)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("deflate6/" + input).c_str(), ZlibDeflate6, input)
        ->Unit(benchmark::kMillisecond);
  }
}

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
