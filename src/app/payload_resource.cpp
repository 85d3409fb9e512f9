#include "app/payload_resource.h"

#include "format/payload_contract.h"

namespace app {

namespace {

// A resource's bytes in place; resources need no freeing on Win32. What
// LoadResource answers there is the bytes' address already: LockResource
// only hands it back.
bool FindBytes(const char* type, unsigned name, std::span<const std::uint8_t>& bytes) {
  HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(name), type);
  if (found == nullptr) return false;
  const void* data = ::LoadResource(nullptr, found);
  if (data == nullptr) return false;
  bytes = {static_cast<const std::uint8_t*>(data), ::SizeofResource(nullptr, found)};
  return true;
}

}  // namespace

PayloadResource::PayloadResource() {
  hasChecksum_ = FindBytes(format::kChecksumResourceType, format::kChecksumResourceName, checksum_);
  // The walk takes its lengths from the block, but it must know where the
  // block ends so that a damaged one cannot send it past its end.
  FindBytes(format::kArchiveResourceType, format::kArchiveResourceName, block_);
}

}  // namespace app
