#include "app/payload_resource.h"

namespace app {

PayloadResource::PayloadResource() {
  HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(129), "IDR_EXE");
  if (found == nullptr) return;
  loaded_ = ::LoadResource(nullptr, found);
  if (loaded_ == nullptr) return;
  const void* bytes = ::LockResource(loaded_);
  // The walk takes its lengths from the block, but it must know where the
  // block ends so that a damaged one cannot send it past its end.
  const DWORD size = ::SizeofResource(nullptr, found);
  if (bytes != nullptr) block_ = {static_cast<const std::uint8_t*>(bytes), size};
}

PayloadResource::~PayloadResource() {
  if (loaded_ != nullptr) ::FreeResource(loaded_);
}

}  // namespace app
