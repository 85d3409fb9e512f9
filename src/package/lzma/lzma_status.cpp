#include <cstring>

#include "package/lzma/lzma_entry.h"

namespace package {

namespace {

// The texts in the order of LzmaStatus, one after another: one string and a
// short walk instead of a comparison and a load for each case. This decoder
// never gives NotBuiltIn: the runtimes' refusal is the stand-in's text.
constexpr char kTexts[] =
    "success\0"
    "not built in\0"
    "the LZMA entry is shorter than its header\0"
    "the LZMA properties are not supported\0"
    "the LZMA data does not decode to its stated size\0"
    "the LZMA data ends before its stated size is reached\0"
    "a solid LZMA entry has no stream to continue\0"
    "the LZMA window does not fit in memory\0"
    "the decoded bytes could not be written\0"
    "unknown status";
constexpr unsigned kKnownCount = 9;
static_assert(static_cast<unsigned>(LzmaStatus::WriteFailed) + 1 == kKnownCount);

}  // namespace

const char* LzmaStatusText(LzmaStatus status) {
  // Past the last known one: "unknown status", the text after them.
  unsigned index = static_cast<unsigned>(status);
  if (index > kKnownCount) index = kKnownCount;
  const char* text = kTexts;
  for (; index > 0; --index) text += std::strlen(text) + 1;
  return text;
}

}  // namespace package
