// CPictureCtrl: a static control that shows an image file stretched over its
// whole client area. The file's bytes are kept undecoded in a memory stream
// and decoded by GDI+ at every paint; the control is owner-drawn, so it shows
// nothing at all until an image is loaded.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <string>

#include "ui/control.h"

namespace ui {

class CPictureCtrl : public CStatic {
 public:
  // Starts GDI+ for this control (version 1, its background thread on).
  CPictureCtrl();
  ~CPictureCtrl();

  // Reads the file into a new memory stream and repaints. False on failure,
  // with the reason in the thread's last-error value: the stream's creation
  // or write failure code, or the system error of opening or reading the
  // file. A failed load leaves the control empty.
  bool LoadImageFile(const std::string& path);
  // Back to empty: not loaded, and the stream released.
  void ReleaseImage();

  IStream* m_pStream = nullptr;
  bool m_bImageLoaded = false;
  ULONG_PTR m_gdiplusToken = 0;

 protected:
  // Adds SS_OWNERDRAW, so the control paints only through DrawItem.
  void PreSubclassWindow() override;
  bool DrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  // Fails the load with `error` as the last-error value.
  bool FailLoad(DWORD error);
};

}  // namespace ui
