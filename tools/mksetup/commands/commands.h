// The builder's three commands. Each writes its results to the console's
// output, its messages to the console's error stream, and returns an exit
// status (kExitOk, kExitFailure).
#pragma once

#include <string>

#include "format/payload_contract.h"
#include "mksetup/commands/console.h"
#include "mksetup/payload/build_plan.h"

namespace mksetup {

// The two setup runtimes: a 32-bit one, whose setup programs install into
// the 32-bit program files folder and registry view, and a 64-bit one for
// products that belong in the 64-bit ones.
enum class Architecture { X86, X64 };

// "x86" or "x64", as --arch takes it.
const char* ArchitectureName(Architecture arch);
bool ParseArchitecture(const std::string& text, Architecture& arch);

// The setup runtime that build uses without --stub: this file in the folder
// of the mksetup executable. The LZW runtimes decode LZW only; the LZMA
// ones, a little larger, LZMA only (runtime_codecs.h).
inline constexpr const char* kRuntimeFileName = "setup-runtime.exe";
inline constexpr const char* kRuntime64FileName = "setup-runtime64.exe";
inline constexpr const char* kLzmaRuntimeFileName = "setup-runtime-lzma.exe";
inline constexpr const char* kLzmaRuntime64FileName = "setup-runtime-lzma64.exe";
const char* RuntimeFileName(Architecture arch, Codec codec = Codec::Lzw);
std::string DefaultRuntimePath(Architecture arch, Codec codec = Codec::Lzw);

// The toolkit's uninstall programs, which build carries as "UnInstaller.exe"
// and "Remove Uninstaller.exe" when the folder of files lacks them: these
// files in the folder of the mksetup executable, of the setup runtime's
// architecture.
inline constexpr const char* kToolkitUninstallerFileName = "uninstaller.exe";
inline constexpr const char* kToolkitRemoverFileName = "remover.exe";
inline constexpr const char* kToolkitUninstaller64FileName = "uninstaller64.exe";
inline constexpr const char* kToolkitRemover64FileName = "remover64.exe";

struct BuildOptions {
  std::string script;  // the setup script, stored as "log_file.txt"
  std::string files;   // the folder of the product's files
  std::string stub;    // the setup runtime; empty for DefaultRuntimePath(arch)
  Architecture arch = Architecture::X86;
  bool archGiven = false;    // --arch was on the command line
  std::string output;        // the setup program to write
  unsigned jobs = 0;         // threads that encode entries; 0 for one per processor
  Codec codec = Codec::Lzw;  // --codec
  bool solid = false;        // --solid (with Codec::Lzma)
  // --scope: whom the setup program installs for.
  format::InstallScope scope = format::InstallScope::Machine;
};

// Checks the script against the folder, and when no error is found writes a
// copy of the runtime that carries the payload archive.
int RunBuild(const BuildOptions& options, Console& console);

// One line per entry: stored size, whether the setup program decodes it,
// decoded size, name.
int RunList(const std::string& setup, Console& console);

// What extract writes at most unless --max-size says otherwise: 4 GiB.
inline constexpr std::uint64_t kDefaultMaxExtractSize = std::uint64_t{4} << 30;

// Writes the entries into folder as the setup program leaves them in its
// staging folder: decoded where it decodes them. Each entry's file is made
// anew, never written through a link already in the folder. A setup program
// whose archive does not match its checksum is refused unless ignoreChecksum;
// one whose entries declare more bytes than maxSize, or than the folder's
// drive has free, is refused before anything is written.
int RunExtract(const std::string& setup, const std::string& folder, bool ignoreChecksum,
               Console& console, std::uint64_t maxSize = kDefaultMaxExtractSize);

struct WingetOptions {
  std::string setup;   // the setup program the manifest describes
  std::string id;      // PackageIdentifier, PUBLISHER.PRODUCT
  std::string url;     // where winget downloads the setup program from
  std::string output;  // the folder the three files go into
  // Empty for the setup script's header: product name, company, version.
  std::string name;
  std::string publisher;
  std::string version;
  std::string license;      // License
  std::string description;  // ShortDescription
};

// Writes ID.yaml, ID.locale.en-US.yaml and ID.installer.yaml into the
// output folder (made when missing), each file replaced whole.
int RunWinget(const WingetOptions& options, Console& console);

}  // namespace mksetup
