// Loading gdiplus.dll from the system folder; see gdiplus_flat.h.
#include <cstring>

#include "ui/gdiplus_flat.h"

namespace ui::gdiplus {

namespace {

// The exports in the order of Functions' members, one after another: one
// text rather than a table of pointers, each of which the loader relocates.
constexpr char kExports[] =
    "GdiplusStartup\0GdiplusShutdown\0GdipCreateFromHDC\0GdipDeleteGraphics\0"
    "GdipLoadImageFromStream\0GdipDisposeImage\0GdipDrawImageRectI";
constexpr std::size_t kExportCount = 7;
static_assert(sizeof(Functions) == kExportCount * sizeof(FARPROC));

Functions Load() {
  Functions loaded{};
  char path[MAX_PATH];
  constexpr char kName[] = "\\gdiplus.dll";
  const UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
  if (length == 0 || length + sizeof kName > MAX_PATH) return loaded;
  std::memcpy(path + length, kName, sizeof kName);
  // A full path: the loader looks nowhere else, and the library's own
  // dependencies are searched for from its folder.
  const HMODULE library = ::LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (library == nullptr) return loaded;
  FARPROC entries[kExportCount];
  const char* name = kExports;
  for (std::size_t i = 0; i < kExportCount; ++i) {
    entries[i] = ::GetProcAddress(library, name);
    if (entries[i] == nullptr) return loaded;
    name += std::strlen(name) + 1;
  }
  std::memcpy(&loaded, entries, sizeof loaded);
  return loaded;
}

}  // namespace

const Functions& Library() {
  static const Functions functions = Load();
  return functions;
}

}  // namespace ui::gdiplus
