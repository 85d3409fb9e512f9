#include "mksetup/setup_payload.h"

#include "mksetup/compression_rule.h"
#include "mksetup/host_files.h"
#include "mksetup/pe_image.h"
#include "mksetup/pe_resources.h"
#include "mksetup/script_text.h"

namespace mksetup {

bool ReadPayloadArchive(std::vector<std::uint8_t> archive, SetupPayload& payload, std::string& error) {
  payload = SetupPayload{};
  payload.archive = std::move(archive);
  if (!package::ReadArchiveIndex(payload.archive, payload.entries, error)) return false;

  std::vector<std::string> names;
  for (const package::ArchiveEntry& entry : payload.entries) names.push_back(entry.name);
  payload.decoded = ReaderDecodes(names, [&](std::size_t index) {
    const package::ArchiveEntry& script = payload.entries[index];
    return ReaderCompressionFlag(SplitScriptLines({script.data, script.size}));
  });
  return true;
}

bool ReadSetupPayload(const std::string& setupPath, SetupPayload& payload, std::string& error) {
  std::vector<std::uint8_t> image;
  std::string why;
  if (!ReadWholeFile(setupPath, image, why)) {
    error = "cannot read " + setupPath + ": " + why;
    return false;
  }
  PeImage pe;
  if (!ParsePeImage(image, pe, why)) {
    error = setupPath + " is not a usable Windows program: " + why;
    return false;
  }
  const ResourceKey key = PayloadResourceKey();
  std::vector<std::uint8_t> archive;
  if (!ReadResource(image, key.type, key.name, archive, why)) {
    error = setupPath + " holds no setup archive (resource IDR_EXE #129): " + why;
    return false;
  }
  if (!ReadPayloadArchive(std::move(archive), payload, why)) {
    error = setupPath + ": " + why;
    return false;
  }
  const ResourceKey checksum = ChecksumResourceKey();
  payload.hasChecksum = ReadResource(image, checksum.type, checksum.name, payload.checksum, why);
  payload.is64 = pe.is64;
  return true;
}

}  // namespace mksetup
