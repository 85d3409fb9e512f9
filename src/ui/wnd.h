// CWnd: a window known by its handle, with typed wrappers of the user32 calls
// made on it. It owns nothing and hides nothing: m_hWnd is the whole state,
// and the window lives and dies by its own rules.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

class CWnd {
 public:
  HWND GetSafeHwnd() const { return m_hWnd; }

  // SendMessageA.
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  // GetDlgItem.
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  // GetClientRect.
  RECT GetClientRect() const {
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
  }
  // SetWindowLongPtrA(GWL_STYLE): adds and removes style bits.
  void ModifyStyle(LONG_PTR remove, LONG_PTR add) const {
    const LONG_PTR style = ::GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, (style & ~remove) | add);
  }
  // RedrawWindow with invalidate, erase and update-now: repaints at once.
  void RedrawNow() const {
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }

  HWND m_hWnd = nullptr;
};

// The text of a window of this process, whole; empty for no window.
std::string WindowText(HWND hwnd);

// SetWindowTextA of a window of this process: the WM_SETTEXT it sends.
void SetWindowText(HWND hwnd, const char* text);

}  // namespace ui
