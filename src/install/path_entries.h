// Folders that the "[path]" section appends to the PATH of the machine or
// of the user, and what the installing step and the uninstaller share of
// reading and comparing a PATH's entries.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "format/payload_contract.h"
#include "install/uninstall_log.h"
#include "platform/platform.h"
#include "script/path_variables.h"

namespace install {

// The roots a "[path]" line may name: HKEY_LOCAL_MACHINE (the machine's
// PATH) and HKEY_CURRENT_USER (the user's); nothing for any other text.
std::optional<platform::RegistryRoot> PathRootNamed(const std::string& name);
// The key whose value "Path" is the PATH of that root.
const char* PathKeyOf(platform::RegistryRoot root);
inline constexpr const char* kPathValueName = "Path";

// The entries of a PATH's text, between its ";", empty ones included.
std::vector<std::string> PathEntries(const std::string& text);
// The text of a string value's bytes, without its terminating zeros.
std::string StringOf(const std::vector<std::uint8_t>& bytes);
// Whether a PATH's entry names folder, compared as Windows compares paths:
// letter case, a final "\" and spaces around the entry do not count, and an
// entry such as "%SystemRoot%\bin" counts as what it expands to.
bool NamesFolder(platform::Machine& machine, const std::string& entry, const std::string& folder);

// Appends folder to the root's PATH unless an entry names it already,
// keeping the value's type (REG_EXPAND_SZ when there is no value yet); true
// when it was appended.
bool AppendPathEntry(platform::Platform& host, platform::RegistryRoot root,
                     const std::string& folder);

// Every "[path]" line: its folder expanded and appended, and recorded in the
// log as root;folder when it was. In user scope only HKEY_CURRENT_USER is
// written. Running programs are told when a PATH changed.
void RunPathPass(platform::Platform& host, script::PathExpander& expander,
                 format::InstallScope scope, UninstallLog& log);

}  // namespace install
