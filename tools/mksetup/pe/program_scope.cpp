#include "mksetup/pe/program_scope.h"

namespace mksetup {
namespace {

// RT_MANIFEST and CREATEPROCESS_MANIFEST_RESOURCE_ID: the manifest the
// loader reads when it starts the program.
constexpr std::uint16_t kManifestType = 24;
constexpr std::uint16_t kProcessManifest = 1;
constexpr std::string_view kLevelElement = "<requestedExecutionLevel";
constexpr std::string_view kLevelAttribute = "level=\"";

struct ManifestResource {
  ResourceKey key;
  std::string text;
};

bool FindManifest(std::span<const std::uint8_t> image, ManifestResource& manifest) {
  std::vector<ResourceInfo> resources;
  std::string why;
  if (!ListResources(image, resources, why)) return false;
  for (const ResourceInfo& info : resources) {
    if (info.key.type.isName || info.key.type.number != kManifestType || info.key.name.isName ||
        info.key.name.number != kProcessManifest)
      continue;
    std::vector<std::uint8_t> data;
    if (!ReadResource(image, info.key.type, info.key.name, data, why)) return false;
    manifest.key = info.key;
    manifest.text.assign(data.begin(), data.end());
    return true;
  }
  return false;
}

// Where the level's value lies in the manifest's text: its first character
// and its length; false when there is none.
bool FindLevel(const std::string& text, std::size_t& at, std::size_t& length) {
  const std::size_t element = text.find(kLevelElement);
  if (element == std::string::npos) return false;
  const std::size_t end = text.find('>', element);
  const std::size_t attribute = text.find(kLevelAttribute, element);
  if (attribute == std::string::npos || attribute > end) return false;
  at = attribute + kLevelAttribute.size();
  const std::size_t close = text.find('"', at);
  if (close == std::string::npos || close > end) return false;
  length = close - at;
  return true;
}

}  // namespace

const char* ExecutionLevelOf(format::InstallScope scope) {
  return scope == format::InstallScope::Machine ? "requireAdministrator" : "asInvoker";
}

std::string ExecutionLevel(std::span<const std::uint8_t> image) {
  ManifestResource manifest;
  std::size_t at = 0;
  std::size_t length = 0;
  if (!FindManifest(image, manifest) || !FindLevel(manifest.text, at, length)) return {};
  return manifest.text.substr(at, length);
}

bool IsProgramOfScope(std::span<const std::uint8_t> image, format::InstallScope scope) {
  if (scope == format::InstallScope::Machine) return true;
  std::vector<std::uint8_t> resource;
  std::string why;
  const ResourceKey key = ScopeResourceKey();
  return ExecutionLevel(image) == ExecutionLevelOf(scope) &&
         ReadResource(image, key.type, key.name, resource, why) &&
         std::string_view(reinterpret_cast<const char*>(resource.data()), resource.size()) ==
             format::ScopeName(scope);
}

bool WriteProgramScope(std::span<const std::uint8_t> image, format::InstallScope scope,
                       std::vector<std::uint8_t>& out, std::string& error,
                       ResourceWriteNotes* notes) {
  if (scope == format::InstallScope::Machine) {
    if (out.data() != image.data()) out.assign(image.begin(), image.end());
    return true;
  }
  ManifestResource manifest;
  std::size_t at = 0;
  std::size_t length = 0;
  if (!FindManifest(image, manifest) || !FindLevel(manifest.text, at, length)) {
    error =
        "it has no manifest with a requestedExecutionLevel, so it cannot be made to start "
        "without administrator rights";
    return false;
  }
  manifest.text.replace(at, length, ExecutionLevelOf(scope));
  const std::string_view name = format::ScopeName(scope);
  std::vector<std::uint8_t> withLevel;
  if (!WriteResource(
          image, manifest.key,
          {reinterpret_cast<const std::uint8_t*>(manifest.text.data()), manifest.text.size()},
          withLevel, error, notes)) {
    return false;
  }
  return WriteResource(withLevel, ScopeResourceKey(),
                       {reinterpret_cast<const std::uint8_t*>(name.data()), name.size()}, out,
                       error);
}

}  // namespace mksetup
