#include "platform/win32/final_path.h"

namespace win32 {

std::string FinalPath(HANDLE handle) {
  char path[MAX_PATH * 2];
  const DWORD length = GetFinalPathNameByHandleA(handle, path, sizeof path, FILE_NAME_NORMALIZED);
  if (length == 0 || length >= sizeof path) return {};
  return std::string(path, length);
}

}  // namespace win32
