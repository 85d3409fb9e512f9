#include "package/lzw/lzw.h"

namespace package {

const char* LzwStatusText(LzwStatus status) {
  switch (status) {
    case LzwStatus::Ok:
      return "success";
    case LzwStatus::NotBuiltIn:  // the stand-in's, which has its own text
      return "not built in";
    case LzwStatus::ShortHeader:
      return "the stream is shorter than its 5-byte header";
    case LzwStatus::BadWidth:
      return "the code width is outside 9 to 25 bits";
    case LzwStatus::BadCode:
      return "a code refers to a dictionary entry that does not exist";
    case LzwStatus::Overrun:
      return "a string runs past the stated uncompressed size";
    case LzwStatus::Truncated:
      return "the stream ends before the stated uncompressed size is reached";
    case LzwStatus::WriteFailed:
      return "the decoded bytes could not be written or read back";
    case LzwStatus::TooLarge:
      return "the size is more than the stream can produce or memory can hold";
  }
  return "unknown status";
}

}  // namespace package
