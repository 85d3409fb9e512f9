#include "ui/picture_ctrl.h"

#include "platform/win32/ole32_library.h"
#include "ui/gdiplus_flat.h"

namespace ui {

namespace {
// The file is copied into the stream in chunks of this size.
constexpr DWORD kChunkSize = 1024;
}  // namespace

CPictureCtrl::CPictureCtrl() {
  const gdiplus::GdiplusStartupInput input;
  gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr);
}

CPictureCtrl::~CPictureCtrl() {
  UnsubclassWindow();
  ReleaseImage();
  if (m_gdiplusToken != 0) {
    gdiplus::GdiplusShutdown(m_gdiplusToken);
  }
}

void CPictureCtrl::PreSubclassWindow() {
  CStatic::PreSubclassWindow();
  ModifyStyle(0, SS_OWNERDRAW);
}

void CPictureCtrl::ReleaseImage() {
  m_bImageLoaded = false;
  if (m_pStream != nullptr) {
    // Every reference goes, also any that a decoder kept: the stream is ours
    // alone, and its memory is freed with the last one.
    while (m_pStream->Release() != 0) {
    }
    m_pStream = nullptr;
  }
}

bool CPictureCtrl::FailLoad(DWORD error) {
  ReleaseImage();
  ::SetLastError(error);
  return false;
}

bool CPictureCtrl::LoadImageFile(const std::string& path) {
  ::SetLastError(0);
  ReleaseImage();

  const HRESULT created = win32::ole32::Load() ? win32::ole32::g_functions.createStreamOnHGlobal(
                                                     nullptr, TRUE, &m_pStream)
                                               : E_FAIL;
  if (FAILED(created)) {
    m_pStream = nullptr;
    return FailLoad(static_cast<DWORD>(created));
  }

  // Write sharing too: a staged image is held open for writing by the setup
  // program itself, to keep other programs from changing it.
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return FailLoad(::GetLastError());
  }
  char chunk[kChunkSize];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file, chunk, kChunkSize, &got, nullptr)) {
      const DWORD error = ::GetLastError();
      ::CloseHandle(file);
      return FailLoad(error);
    }
    if (got == 0) {
      break;
    }
    const HRESULT written = m_pStream->Write(chunk, got, nullptr);
    if (FAILED(written)) {
      ::CloseHandle(file);
      return FailLoad(static_cast<DWORD>(written));
    }
  }
  ::CloseHandle(file);

  m_bImageLoaded = true;
  if (m_hWnd != nullptr) {
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);  // as InvalidateRect
    RedrawNow();
  }
  return true;
}

bool CPictureCtrl::DrawItem(const DRAWITEMSTRUCT& item) {
  if (!m_bImageLoaded || m_pStream == nullptr) {
    return true;  // an empty picture draws nothing, and that is its answer
  }
  const RECT client = GetClientRect();
  gdiplus::GpGraphics* graphics = nullptr;
  if (gdiplus::GdipCreateFromHDC(item.hDC, &graphics) != gdiplus::Ok) {
    return true;
  }
  // Decode from the first byte: the stream is left wherever the last write
  // or the last decode stopped.
  const LARGE_INTEGER start{};
  m_pStream->Seek(start, STREAM_SEEK_SET, nullptr);
  gdiplus::GpImage* image = nullptr;
  if (gdiplus::GdipLoadImageFromStream(m_pStream, &image) == gdiplus::Ok && image != nullptr) {
    gdiplus::GdipDrawImageRectI(graphics, image, client.left, client.top,
                                client.right - client.left, client.bottom - client.top);
    gdiplus::GdipDisposeImage(image);
  }
  gdiplus::GdipDeleteGraphics(graphics);
  return true;
}

}  // namespace ui
