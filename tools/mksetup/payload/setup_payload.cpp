#include "mksetup/payload/setup_payload.h"

#include "mksetup/host/host_files.h"
#include "mksetup/pe/pe_image.h"
#include "mksetup/pe/pe_resources.h"
#include "mksetup/script_checks/script_text.h"
#include "format/payload_contract.h"

namespace mksetup {

namespace {

// Walks payload.archive, which points into payload.file.
bool WalkArchive(SetupPayload& payload, std::string& error) {
  if (!format::ReadArchiveIndex(payload.archive, payload.entries, error)) return false;

  std::vector<std::string> names;
  for (const format::ArchiveEntry& entry : payload.entries) names.push_back(entry.name);
  payload.decoded = format::CompressedEntries(names, [&](std::size_t index) {
    const format::ArchiveEntry& script = payload.entries[index];
    return ReaderCompressionFlag(SplitScriptLines({script.data, script.size}));
  });
  return true;
}

}  // namespace

bool ReadSetupPayload(const std::string& setupPath, SetupPayload& payload, std::string& error) {
  // The archive is used where it lies in the file's bytes, not copied.
  payload = SetupPayload{};
  payload.file = std::make_unique<FileBytes>();
  std::string why;
  if (!payload.file->Open(setupPath, why)) {
    error = "cannot read " + setupPath + ": " + why;
    return false;
  }
  const std::span<const std::uint8_t> image = payload.file->Bytes();
  PeImage pe;
  if (!ParsePeImage(image, pe, why)) {
    error = setupPath + " is not a usable Windows program: " + why;
    return false;
  }
  const ResourceKey key = PayloadResourceKey();
  if (!FindResourceData(image, key.type, key.name, payload.archive, why)) {
    error = setupPath + " holds no setup archive (resource " + format::kArchiveResourceType + " #" +
            std::to_string(format::kArchiveResourceName) + "): " + why;
    return false;
  }
  if (!WalkArchive(payload, why)) {
    error = setupPath + ": " + why;
    return false;
  }
  const ResourceKey checksum = ChecksumResourceKey();
  payload.hasChecksum = ReadResource(image, checksum.type, checksum.name, payload.checksum, why);
  payload.is64 = pe.is64;
  std::vector<std::uint8_t> scope;
  const ResourceKey scopeKey = ScopeResourceKey();
  if (ReadResource(image, scopeKey.type, scopeKey.name, scope, why)) {
    payload.scopeText.assign(scope.begin(), scope.end());
    payload.scopeKnown = format::ParseScopeName(payload.scopeText, payload.scope);
  }
  return true;
}

}  // namespace mksetup
