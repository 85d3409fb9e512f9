// What a setup program's payload is, for the two programs that must agree on
// it: mksetup, which writes it into a copy of the setup runtime, and the
// setup runtime, which reads it back. Both include this header; changing
// anything here changes the stored format of every setup program.
//
// - The resources: the payload archive (its layout in payload_archive.h),
//   the archive's SHA-256 (the 32 bytes of the digest, nothing else), and the
//   scope the setup program installs in.
// - The names of the entries the runtime looks for.
// - Which entries are stored compressed. The archive carries no flag for it:
//   the runtime decides from each entry's name and from the setup script's
//   compression flag, and the builder must decide the same way.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/function_ref.h"

namespace format {

// Both resources are named by the number 129, language neutral.
inline constexpr const char* kArchiveResourceType = "IDR_EXE";
inline constexpr unsigned kArchiveResourceName = 129;
inline constexpr const char* kChecksumResourceType = "IDR_EXE_SHA256";
inline constexpr unsigned kChecksumResourceName = 129;

// Whom a setup program installs for. Machine: elevated, into the program
// files folder, registered under HKEY_LOCAL_MACHINE. User: never elevated,
// into the user's own folders, registered under HKEY_CURRENT_USER. Either:
// the person chooses.
enum class InstallScope { Machine, User, Either };

// The scope resource holds the scope's name in ASCII ("user"), without a
// terminator. A setup program without it installs for the machine, as every
// one did before scopes and as those of other tools do; a program's
// manifest asks for administrator rights exactly when its scope is Machine.
// The uninstall programs a per-user setup program carries hold the same
// resource, so that the uninstaller looks for the product under
// HKEY_CURRENT_USER.
inline constexpr const char* kScopeResourceType = "IDR_EXE_SCOPE";
inline constexpr unsigned kScopeResourceName = 129;
inline constexpr const char* kScopeNames[] = {"machine", "user", "either"};

inline const char* ScopeName(InstallScope scope) { return kScopeNames[static_cast<int>(scope)]; }
// False for any other text, which a setup program refuses as damaged.
bool ParseScopeName(std::string_view text, InstallScope& scope);

// The entries the runtime knows by name.
inline constexpr const char* kScriptEntryName = "log_file.txt";
inline constexpr const char* kUninstallerEntryName = "UnInstaller.exe";
inline constexpr const char* kRemoverEntryName = "Remove Uninstaller.exe";
// An entry whose name holds this is the licence text.
inline constexpr const char* kLicenceMarker = ".lic";

// An entry is always stored plain when its name holds one of these markers
// (case-sensitive, anywhere in the name): the setup script, the licence text
// and the two uninstall programs.
inline constexpr const char* kPlainMarkers[] = {kScriptEntryName, kUninstallerEntryName,
                                                kLicenceMarker, kRemoverEntryName};

// Only the entry's name is tested, never the folder it is written to: a
// temporary folder such as "C:\Users\m.lichter\..." must not turn every
// entry plain, and the builder, which knows no such folder, must agree.
bool EntryStaysPlain(std::string_view name);

// The entry is a setup script: its name holds "log_file.txt". Every such
// entry sets the compression switch from its flag.
bool IsSetupScript(std::string_view name);

// The compression switch, entry by entry in archive order: on at the start;
// an entry is compressed while it is on, unless its name keeps it plain;
// after each setup script it is what that script's compression flag says.
class CompressionSwitch {
 public:
  bool Compresses(std::string_view name) const { return on_ && !EntryStaysPlain(name); }
  // Call after each entry; scriptFlag is asked only when the entry is a
  // setup script (the runtime reads the flag from the file it has written).
  void AfterEntry(std::string_view name, base::FunctionRef<bool()> scriptFlag) {
    if (IsSetupScript(name)) on_ = scriptFlag();
  }

 private:
  bool on_ = true;
};

// The switch applied to a whole list of names: per entry, whether it is
// compressed. scriptFlag(i) is the flag of the setup script at index i.
std::vector<bool> CompressedEntries(std::span<const std::string> names,
                                    base::FunctionRef<bool(std::size_t index)> scriptFlag);

}  // namespace format
