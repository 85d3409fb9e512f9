#include "ui/wnd.h"

namespace ui {

std::string WindowText(HWND hwnd) {
  // The messages GetWindowTextLengthA and GetWindowTextA send to a window of
  // this process, sent directly: two imports less.
  const LRESULT length = ::SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) {
    return {};
  }
  // The length can be an overestimate (it may count a conversion's worth of
  // bytes), so keep only what WM_GETTEXT copied.
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied = ::SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(length) + 1,
                                        reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void SetWindowText(HWND hwnd, const char* text) {
  ::SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace ui
