// The few functions of GDI+'s flat interface that the picture control uses.
// Declared here rather than taken from <gdiplus.h>, which brings the whole
// C++ wrapper library with it; the names and signatures are gdiplus.dll's.
// Drawing calls are only made on a graphics object that GdipCreateFromHDC
// made, so they need no check of their own.
#pragma once

#include <windows.h>
#include <objidl.h>

namespace ui::gdiplus {

// NotLoaded is GDI+'s GenericError, for calls made without the library.
enum Status : int { Ok = 0, NotLoaded = 1 };

struct GdiplusStartupInput {
  UINT32 GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};

struct GpGraphics;
struct GpImage;

// gdiplus.dll is not a Known DLL, so a static import would be looked for
// beside the program first, where a planted copy would run elevated. It is
// loaded by its full path in the system folder by GdiplusStartup instead;
// when it cannot be, every call below fails and nothing is drawn.
struct Functions {
  Status(WINAPI* startup)(ULONG_PTR* token, const GdiplusStartupInput* input, void* output);
  void(WINAPI* shutdown)(ULONG_PTR token);
  Status(WINAPI* createFromHdc)(HDC dc, GpGraphics** graphics);
  Status(WINAPI* deleteGraphics)(GpGraphics* graphics);
  Status(WINAPI* loadImageFromStream)(IStream* stream, GpImage** image);
  Status(WINAPI* disposeImage)(GpImage* image);
  Status(WINAPI* drawImageRectI)(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width,
                                 INT height);
};
// Every entry set, or (when the library or one of them is missing) none.
extern Functions g_functions;
// Loads the library unless it is loaded; false when it cannot be.
bool Load();

inline Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, void* output) {
  return Load() ? g_functions.startup(token, input, output) : NotLoaded;
}
inline void GdiplusShutdown(ULONG_PTR token) {
  if (g_functions.shutdown) g_functions.shutdown(token);
}
inline Status GdipCreateFromHDC(HDC dc, GpGraphics** graphics) {
  return g_functions.createFromHdc ? g_functions.createFromHdc(dc, graphics) : NotLoaded;
}
inline Status GdipDeleteGraphics(GpGraphics* graphics) {
  return g_functions.deleteGraphics(graphics);
}
inline Status GdipLoadImageFromStream(IStream* stream, GpImage** image) {
  return g_functions.loadImageFromStream(stream, image);
}
inline Status GdipDisposeImage(GpImage* image) { return g_functions.disposeImage(image); }
inline Status GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width,
                                 INT height) {
  return g_functions.drawImageRectI(graphics, image, x, y, width, height);
}

}  // namespace ui::gdiplus
