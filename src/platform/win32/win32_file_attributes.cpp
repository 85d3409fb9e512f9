#include "platform/win32/file_attributes.h"

namespace win32 {

DWORD AttributesOf(const char* path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return GetFileAttributesExA(path, GetFileExInfoStandard, &data) ? data.dwFileAttributes
                                                                  : INVALID_FILE_ATTRIBUTES;
}

}  // namespace win32
