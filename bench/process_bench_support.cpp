#include "process_bench_support.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

extern char** environ;

namespace bench_support {

Scratch::Scratch() {
  std::string pattern = (std::filesystem::temp_directory_path() / "setupkit-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    std::exit(1);
  }
  m_root = pattern;
}

Scratch::~Scratch() {
  std::error_code ignored;
  std::filesystem::remove_all(m_root, ignored);
}

Bytes ReadFile(const std::string& path, std::size_t limit) {
  std::ifstream file(path, std::ios::binary);
  Bytes bytes(std::istreambuf_iterator<char>(file), {});
  if (bytes.size() > limit) bytes.resize(limit);
  return bytes;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

Bytes ProgramBytes(std::size_t size) {
  for (const char* path :
       {"/usr/lib/gcc/x86_64-linux-gnu/12/cc1", "/usr/lib/gcc/x86_64-linux-gnu/12/cc1plus",
        "/usr/lib/x86_64-linux-gnu/libLLVM-14.so.1"}) {
    Bytes bytes = ReadFile(path, size);
    if (bytes.size() == size) return bytes;
  }
  return {};
}

Bytes LicenceText(std::size_t size) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry :
       std::filesystem::directory_iterator("/usr/share/common-licenses", error)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  Bytes once;
  for (const auto& path : files) {
    const Bytes text = ReadFile(path.string());
    once.insert(once.end(), text.begin(), text.end());
  }
  if (once.empty()) return {};
  Bytes text;
  while (text.size() < size) text.insert(text.end(), once.begin(), once.end());
  text.resize(size);
  return text;
}

void CopySampleUninstallers(const std::string& folder) {
  for (const char* name : {"UnInstaller.exe", "Remove Uninstaller.exe"}) {
    WriteFile(folder + "/" + name,
              ReadFile(std::string(SETUPKIT_SOURCE_DIR) + "/sample/quill_writer/files/" + name));
  }
}

int Run(const std::vector<std::string>& argv, const std::string& outputFile, double* cpuSeconds) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!outputFile.empty()) {
    posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
  }
  pid_t child = 0;
  const int started = posix_spawn(&child, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (started != 0) return -1;
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) return -1;
  if (cpuSeconds != nullptr) {
    *cpuSeconds += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string MksetupPath() { return SETUPKIT_MKSETUP_BINARY; }

std::string RuntimePath() {
  const char* given = std::getenv("SETUPKIT_RUNTIME");
  return given != nullptr ? given : SETUPKIT_DEFAULT_RUNTIME;
}

}  // namespace bench_support
