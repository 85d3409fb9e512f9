#include "install/registry_values.h"

#include <iterator>

#include "base/text_trim.h"
#include "format/field_values.h"
#include "script/script_reader.h"
#include "script/script_rules.h"

namespace install {

namespace {

// What may stand between and around the byte pairs of a binary value.
constexpr const char* kPairSeparators = " \t\r\n\v\f,";

struct RootName {
  const char* name;
  platform::RegistryRoot root;
};
constexpr RootName kRoots[] = {
    {script::format::kClassesRoot, platform::RegistryRoot::ClassesRoot},
    {script::format::kCurrentUser, platform::RegistryRoot::CurrentUser},
    {script::format::kLocalMachine, platform::RegistryRoot::LocalMachine},
    {script::format::kUsers, platform::RegistryRoot::Users},
    {script::format::kCurrentConfig, platform::RegistryRoot::CurrentConfig},
};
// mksetup checks scripts against the lists of names: they must be what
// this table and RegistryDataOf accept.
static_assert(std::size(kRoots) == std::size(script::format::kRegistryRoots));
static_assert(std::size(script::format::kRegistryTypes) == 3);

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decimal, or hexadecimal after "0x"; no sign. Leading zeros are decimal,
// not octal: the script's author writes numbers, not C literals.
std::optional<std::uint32_t> ParseDword(const std::string& text) {
  const std::string number = base::Trimmed(text);
  const bool hex = number.size() > 2 && number[0] == '0' && (number[1] == 'x' || number[1] == 'X');
  const std::size_t start = hex ? 2 : 0;
  const std::uint64_t base = hex ? 16 : 10;
  if (number.size() == start) return std::nullopt;
  std::uint64_t value = 0;
  for (std::size_t i = start; i < number.size(); ++i) {
    const int digit = HexDigit(number[i]);
    if (digit < 0 || static_cast<std::uint64_t>(digit) >= base) return std::nullopt;
    value = value * base + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

std::optional<std::vector<std::uint8_t>> ParseBinary(const std::string& text) {
  std::vector<std::uint8_t> bytes;
  std::size_t at = 0;
  while (true) {
    at = text.find_first_not_of(kPairSeparators, at);
    if (at == std::string::npos) break;
    // Each byte is two digits: "0A1B" is two bytes, "1 2" or "102" no list.
    const int high = HexDigit(text[at]);
    const int low = at + 1 < text.size() ? HexDigit(text[at + 1]) : -1;
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    at += 2;
  }
  return bytes;
}

}  // namespace

std::vector<std::uint8_t> DwordBytes(std::uint32_t number) {
  std::vector<std::uint8_t> bytes;
  for (int shift = 0; shift < 32; shift += 8) {
    bytes.push_back(static_cast<std::uint8_t>(number >> shift));
  }
  return bytes;
}

std::optional<platform::RegistryRoot> RegistryRootNamed(const std::string& name) {
  for (const RootName& root : kRoots) {
    if (name == root.name) return root.root;
  }
  return std::nullopt;
}

const char* RegistryRootName(platform::RegistryRoot root) {
  for (const RootName& known : kRoots) {
    if (known.root == root) return known.name;
  }
  return "";
}

std::optional<RegistryData> RegistryDataOf(const std::string& typeName, const std::string& text) {
  RegistryData data;
  if (typeName == script::format::kRegSzName) {
    data.type = platform::kRegSz;
    data.bytes.assign(text.begin(), text.end());
    data.bytes.push_back(0);
    return data;
  }
  if (typeName == script::format::kRegDwordName) {
    const std::optional<std::uint32_t> number = ParseDword(text);
    if (!number) return std::nullopt;
    data.type = platform::kRegDword;
    data.bytes = DwordBytes(*number);
    return data;
  }
  if (typeName == script::format::kRegBinaryName) {
    std::optional<std::vector<std::uint8_t>> bytes = ParseBinary(text);
    if (!bytes) return std::nullopt;
    data.type = platform::kRegBinary;
    data.bytes = std::move(*bytes);
    return data;
  }
  return std::nullopt;
}

void WriteRegistryValue(platform::Registry& registry, const std::string& rootName,
                        const std::string& key, const std::string& valueName,
                        const std::string& typeName, const std::string& data) {
  const std::optional<platform::RegistryRoot> root = RegistryRootNamed(rootName);
  if (!root) return;
  const std::optional<RegistryData> value = RegistryDataOf(typeName, data);
  if (!value) return;
  registry.SetValue(*root, key, valueName, value->type, value->bytes);
}

void RunRegistryPass(platform::Platform& host, script::PathExpander& expander) {
  script::ForEachRegistryLine(
      host.files, script::ScriptPath(host.files),
      [&](const std::string& root, const std::string& key, const std::string& name,
          const std::string& type, const std::string& data) {
        // Expanded in this order: key, value name, data.
        const std::string expandedKey = expander.ExpandPathVariables(key);
        const std::string expandedName = expander.ExpandPathVariables(name);
        const std::string expandedData = expander.ExpandPathVariables(data);
        WriteRegistryValue(host.registry, root, expandedKey, expandedName, type, expandedData);
      });
}

}  // namespace install
