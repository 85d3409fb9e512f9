// The few functions of GDI+'s flat interface that the picture control uses.
// Declared here rather than taken from <gdiplus.h>, which brings the whole
// C++ wrapper library with it; the names and signatures are gdiplus.dll's.
#pragma once

#include <windows.h>
#include <objidl.h>

namespace ui::gdiplus {

enum Status : int { Ok = 0 };

struct GdiplusStartupInput {
  UINT32 GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};

struct GpGraphics;
struct GpImage;

extern "C" {
Status WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input,
                             void* output);
void WINAPI GdiplusShutdown(ULONG_PTR token);
Status WINAPI GdipCreateFromHDC(HDC dc, GpGraphics** graphics);
Status WINAPI GdipDeleteGraphics(GpGraphics* graphics);
Status WINAPI GdipLoadImageFromStream(IStream* stream, GpImage** image);
Status WINAPI GdipDisposeImage(GpImage* image);
Status WINAPI GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y,
                                 INT width, INT height);
}

}  // namespace ui::gdiplus
