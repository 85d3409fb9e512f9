// Registry values named by the "[regi]" section of the script.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "script/path_variables.h"

namespace install {

// The predefined key that a root name stands for; nothing for any other text.
std::optional<platform::RegistryRoot> RegistryRootNamed(const std::string& name);
// The name of a predefined key, as the script and the uninstall log write it.
const char* RegistryRootName(platform::RegistryRoot root);

// A value as it is stored: its type and its bytes.
struct RegistryData {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> bytes;
};

// A REG_DWORD's four bytes, lowest first.
std::vector<std::uint8_t> DwordBytes(std::uint32_t number);

// Turns the script's Data text into the stored value for a type name:
//   "REG_SZ"      the text and its terminating zero byte;
//   "REG_DWORD"   a decimal number or "0x" and hexadecimal digits that fit
//                 32 bits, stored as four bytes, lowest first;
//   "REG_BINARY"  hexadecimal byte pairs, written together or separated by
//                 spaces or commas ("0A1B 2C,3D"); no pairs at all is an
//                 empty value.
// White space around a number or a list of pairs does not count. Nothing for
// a text that is no such value, and for any other type name, since any bytes
// would be a guess at what the line meant.
std::optional<RegistryData> RegistryDataOf(const std::string& typeName, const std::string& text);

// Creates the key as needed and sets the value. An unknown root or type, or
// data that does not fit the type, writes nothing. Failures are silent.
void WriteRegistryValue(platform::Registry& registry, const std::string& rootName,
                        const std::string& key, const std::string& valueName,
                        const std::string& typeName, const std::string& data);

// Every registry line of the script, in file order.
void RunRegistryPass(platform::Platform& host, script::PathExpander& expander);

}  // namespace install
