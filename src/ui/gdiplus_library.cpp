// Loading gdiplus.dll from the system folder; see gdiplus_flat.h.
#include "ui/gdiplus_flat.h"

#include "platform/win32/library_exports.h"

namespace ui::gdiplus {

namespace {

// The exports in the order of Functions' members, one after another: one
// text rather than a table of pointers, each of which the loader relocates.
constexpr char kExports[] =
    "GdiplusStartup\0GdiplusShutdown\0GdipCreateFromHDC\0GdipDeleteGraphics\0"
    "GdipLoadImageFromStream\0GdipDisposeImage\0GdipDrawImageRectI";
constexpr std::size_t kExportCount = 7;
static_assert(sizeof(Functions) == kExportCount * sizeof(FARPROC));

}  // namespace

Functions g_functions{};

bool Load() {
  return g_functions.startup != nullptr ||
         win32::LoadExports("gdiplus.dll", true, kExports, kExportCount, &g_functions);
}

}  // namespace ui::gdiplus
