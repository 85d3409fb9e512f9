// Shell item lists (PIDLs) handed out by the shell belong to its allocator.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace win32 {

inline void FreeItemList(LPITEMIDLIST items) {
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator != nullptr) {
    allocator->Free(items);
    allocator->Release();
  }
}

// The file-system path of an item; empty when it has none.
inline std::string ItemListPath(LPCITEMIDLIST items) {
  char buffer[MAX_PATH] = {};
  if (!SHGetPathFromIDListA(items, buffer)) return {};
  buffer[MAX_PATH - 1] = '\0';
  return buffer;
}

}  // namespace win32
