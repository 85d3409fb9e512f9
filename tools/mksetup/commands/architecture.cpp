// The runtime's architectures and the file names of their runtimes.
#include "mksetup/commands/commands.h"
#include "mksetup/host/host_files.h"

namespace mksetup {

const char* ArchitectureName(Architecture arch) {
  return arch == Architecture::X64 ? "x64" : "x86";
}

bool ParseArchitecture(const std::string& text, Architecture& arch) {
  if (text == "x86") {
    arch = Architecture::X86;
    return true;
  }
  if (text == "x64") {
    arch = Architecture::X64;
    return true;
  }
  return false;
}

const char* RuntimeFileName(Architecture arch, Codec codec) {
  if (codec == Codec::Lzma)
    return arch == Architecture::X64 ? kLzmaRuntime64FileName : kLzmaRuntimeFileName;
  return arch == Architecture::X64 ? kRuntime64FileName : kRuntimeFileName;
}

std::string DefaultRuntimePath(Architecture arch, Codec codec) {
  const std::string folder = RunningExecutableFolder();
  return folder.empty() ? std::string() : JoinPath(folder, RuntimeFileName(arch, codec));
}

}  // namespace mksetup
