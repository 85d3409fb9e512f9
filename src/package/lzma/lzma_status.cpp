#include "package/lzma/lzma_entry.h"

namespace package {

const char* LzmaStatusText(LzmaStatus status) {
  switch (status) {
    case LzmaStatus::Ok:
      return "success";
    case LzmaStatus::NotBuiltIn:  // the stand-in's, which has its own text
      return "not built in";
    case LzmaStatus::ShortHeader:
      return "the LZMA entry is shorter than its header";
    case LzmaStatus::BadProperties:
      return "the LZMA properties are not supported";
    case LzmaStatus::Damaged:
      return "the LZMA data does not decode to its stated size";
    case LzmaStatus::Truncated:
      return "the LZMA data ends before its stated size is reached";
    case LzmaStatus::NoSolidStream:
      return "a solid LZMA entry has no stream to continue";
    case LzmaStatus::TooLarge:
      return "the LZMA window does not fit in memory";
    case LzmaStatus::WriteFailed:
      return "the decoded bytes could not be written";
  }
  return "unknown status";
}

}  // namespace package
