#include "ui/control.h"

namespace ui {

namespace {
// One subclass per control object; the object itself is the reference data.
constexpr UINT_PTR kSubclassId = 1;
}  // namespace

CControl::~CControl() { UnsubclassWindow(); }

bool CControl::SubclassDlgItem(int id, HWND dialog) {
  HWND control = ::GetDlgItem(dialog, id);
  if (control == nullptr || m_hWnd != nullptr) {
    return false;
  }
  m_hWnd = control;
  PreSubclassWindow();
  if (!SetSubclass(control, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    m_hWnd = nullptr;
    return false;
  }
  return true;
}

void CControl::UnsubclassWindow() {
  // A window destroyed already has lost its subclass with it; the call
  // then finds none and does nothing.
  if (m_hWnd != nullptr) RemoveSubclass(m_hWnd, SubclassProc, kSubclassId);
  m_hWnd = nullptr;
}

HBRUSH CControl::CtlColor(HDC, ui::CtlColor) { return nullptr; }

bool CControl::DrawItem(const DRAWITEMSTRUCT&) { return false; }

LRESULT CControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= Reflected(WM_CTLCOLORMSGBOX) && message <= Reflected(WM_CTLCOLORSTATIC)) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    return reinterpret_cast<LRESULT>(CtlColor(dc, CtlColorKindOf(message - kReflectedBase)));
  }
  if (message == Reflected(WM_DRAWITEM)) {
    return DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
  }
  if (message == WM_NCDESTROY) {
    // The control's last message: let it finish, then forget the handle.
    const LRESULT result = Default(message, wParam, lParam);
    RemoveSubclass(m_hWnd, SubclassProc, kSubclassId);
    m_hWnd = nullptr;
    return result;
  }
  return Default(message, wParam, lParam);
}

LRESULT CALLBACK CControl::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self) {
  auto* control = reinterpret_cast<CControl*>(self);
  if (control == nullptr || control->m_hWnd != hwnd) {
    return DefaultSubclassProc(hwnd, message, wParam, lParam);
  }
  return control->WindowProc(message, wParam, lParam);
}

}  // namespace ui
