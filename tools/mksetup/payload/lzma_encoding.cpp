#include "mksetup/payload/lzma_encoding.h"

#include <algorithm>
#include <limits>
#include <new>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include "LzmaEnc.h"
#include "mksetup/host/ordered_work.h"

namespace mksetup {
namespace {

void* Allocate(void*, size_t size) {
  return size == 0 ? nullptr : ::operator new(size, std::nothrow);
}
void Free(void*, void* address) { ::operator delete(address); }
ISzAlloc g_allocator = {Allocate, Free};

// The SDK's streams are C structs of function pointers, each the first
// member of ours.
struct InStream {
  ISeqInStream base;
  const LzmaReader* read;
  std::string* error;
};
SRes ReadInput(void* p, void* buf, size_t* size) {
  auto* in = static_cast<InStream*>(p);
  std::size_t n = *size;
  if (!(*in->read)(static_cast<std::uint8_t*>(buf), n)) return SZ_ERROR_READ;
  *size = n;
  return SZ_OK;
}

struct OutStream {
  ISeqOutStream base;
  std::vector<std::uint8_t>* out;
};
size_t WriteOutput(void* p, const void* buf, size_t size) {
  auto* out = static_cast<OutStream*>(p)->out;
  const auto* bytes = static_cast<const std::uint8_t*>(buf);
  out->insert(out->end(), bytes, bytes + size);
  return size;
}

}  // namespace

bool BeginsLikeProgram(const std::uint8_t* data, std::size_t size) {
  return size >= 2 && data[0] == 'M' && data[1] == 'Z';
}

const LzmaModel& LzmaModelFor(const std::uint8_t* data, std::size_t size) {
  return BeginsLikeProgram(data, size) ? kLzmaProgramModel : kLzmaEntryModel;
}

bool LzmaEncode(const LzmaReader& read, std::uint64_t sizeHint, std::uint32_t dictionary,
                const LzmaModel& model, std::vector<std::uint8_t>& out, std::string& error,
                unsigned threads) {
  CLzmaEncHandle encoder = LzmaEnc_Create(&g_allocator);
  if (encoder == nullptr) {
    error = "not enough memory for the LZMA encoder";
    return false;
  }
  CLzmaEncProps props;
  LzmaEncProps_Init(&props);
  // Normal (optimal parsing) mode over a binary-tree match finder: the
  // settings of the SDK's level 7, with the dictionary and model given.
  props.level = 7;
  props.lc = model.literalContextBits;
  props.lp = model.literalPositionBits;
  props.pb = model.positionBits;
  props.fb = model.fastBytes;
  props.dictSize = dictionary;
  props.reduceSize =
      static_cast<UInt32>(std::min<std::uint64_t>(sizeHint, std::numeric_limits<UInt32>::max()));
  props.writeEndMark = 0;
  // Two: the SDK's encoder on this thread, the match finder on another
  // (lzma_threads/LzFindMt.h).
  props.numThreads = MKSETUP_HAS_THREADS && threads > 1 ? 2 : 1;
  SRes result = LzmaEnc_SetProps(encoder, &props);
  Byte header[LZMA_PROPS_SIZE];
  SizeT headerSize = sizeof header;
  if (result == SZ_OK) result = LzmaEnc_WriteProperties(encoder, header, &headerSize);
  if (result == SZ_OK) {
    out.insert(out.end(), header, header + headerSize);
    InStream in{{ReadInput}, &read, &error};
    OutStream sink{{WriteOutput}, &out};
    result = LzmaEnc_Encode(encoder, &sink.base, &in.base, nullptr, &g_allocator, &g_allocator);
  }
  LzmaEnc_Destroy(encoder, &g_allocator, &g_allocator);
  if (result == SZ_OK) return true;
  if (error.empty()) {
    error = result == SZ_ERROR_MEM
                ? "not enough memory for the LZMA encoder"
                : "the LZMA encoder failed (SDK error " + std::to_string(result) + ")";
  }
  return false;
}

}  // namespace mksetup
