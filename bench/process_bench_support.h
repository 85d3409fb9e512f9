// What the whole-process benchmarks share: a scratch folder, files written
// whole, the inputs of the LZW benchmark, and running a program to its end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench_support {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the temporary folder, removed with the object.
class Scratch {
 public:
  Scratch();
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  std::string Path(const std::string& name) const { return m_root + "/" + name; }

 private:
  std::string m_root;
};

Bytes ReadFile(const std::string& path, std::size_t limit = SIZE_MAX);
void WriteFile(const std::string& path, const Bytes& bytes);

// The first `size` bytes of a large program file of the build machine; empty
// when none of the candidates is there.
Bytes ProgramBytes(std::size_t size);
// The licence texts of /usr/share/common-licenses, repeated to `size` bytes.
Bytes LicenceText(std::size_t size);

// Copies the sample product's two uninstall programs into a folder of files,
// which every product needs.
void CopySampleUninstallers(const std::string& folder);

// Runs a program with arguments (argv[0] is the program's path), standard
// output into outputFile when it is not empty, and waits for it. Returns its
// exit status, or -1 when it could not be started. cpuSeconds, when given,
// grows by the processor time (user and system) the program took: on a
// machine shared with other work that is steadier than the wall time.
int Run(const std::vector<std::string>& argv, const std::string& outputFile = {},
        double* cpuSeconds = nullptr);

// The builder and the setup runtime: the paths this tree was configured
// with, or SETUPKIT_RUNTIME for the runtime.
std::string MksetupPath();
std::string RuntimePath();

}  // namespace bench_support
