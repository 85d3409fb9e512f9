#include "ui/dialog.h"

#include "ui/common_controls.h"

namespace ui {

namespace {
// `value` within [low, high], `low` winning when the range is empty.
int ClampToRange(int value, int low, int high) {
  if (value > high) {
    value = high;
  }
  return value < low ? low : value;
}
}  // namespace

INT_PTR CDialog::DoModal(HWND parent) {
  // The first dialog loads comctl32.dll: its templates name its classes.
  RegisterCommonControls();
  return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nTemplateId), parent,
                           DialogProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) {
    return false;
  }
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

HBRUSH CDialog::OnCtlColor(HDC dc, HWND control, CtlColor kind) {
  if (control == nullptr || control == m_hWnd) {
    return nullptr;
  }
  const LRESULT answer =
      ::SendMessageA(control, Reflected(CtlColorMessageOf(kind)), reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(control));
  return reinterpret_cast<HBRUSH>(answer);
}

void CDialog::FillClientArea(HDC dc, HBRUSH brush) const {
  const RECT client = GetClientRect();
  ::FillRect(dc, &client, brush);
}

bool CDialog::PaintIfMinimised(HICON icon) const {
  // IsIconic's test, on the style already imported.
  if ((::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_MINIMIZE) == 0) {
    return false;
  }
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(m_hWnd, &paint);
  Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
  if (icon != nullptr) {
    const RECT client = GetClientRect();
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, icon);
  }
  ::EndPaint(m_hWnd, &paint);
  return true;
}

void CDialog::CentreIfUnplaced(const RECT& before) const {
  // Only a dialog that is still hidden, has not moved and has no enabled
  // owner to stay with: the one the template leaves wherever it falls.
  if ((::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & (WS_VISIBLE | WS_CHILD)) != 0) {
    return;
  }
  RECT window{};
  ::GetWindowRect(m_hWnd, &window);
  if (window.left != before.left || window.top != before.top) {
    return;
  }
  // GetWindow's GW_OWNER: for a window that is no child, its parent field
  // holds the owner.
  HWND owner = reinterpret_cast<HWND>(::GetWindowLongPtrA(m_hWnd, GWLP_HWNDPARENT));
  if (owner != nullptr && (::GetWindowLongPtrA(owner, GWL_STYLE) & WS_DISABLED) == 0) {
    return;
  }
  RECT area{};
  if (owner != nullptr) {
    ::GetWindowRect(owner, &area);
  } else {
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  int x = area.left + (area.right - area.left - width) / 2;
  int y = area.top + (area.bottom - area.top - height) / 2;
  // Keep the caption on the work area, even for an owner half off it.
  RECT work{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  x = ClampToRange(x, work.left, work.right - width);
  y = ClampToRange(y, work.top, work.bottom - height);
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CDialog::Handled(LRESULT result) const {
  ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR CDialog::DialogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsCtlColorMessage(message)) {
    // Colour queries return their brush directly, not via DWLP_MSGRESULT.
    HBRUSH brush = OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                              CtlColorKindOf(message));
    return reinterpret_cast<INT_PTR>(brush);
  }
  switch (message) {
    case WM_INITDIALOG: {
      const bool wasVisible = (::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
      RECT before{};
      ::GetWindowRect(m_hWnd, &before);
      const INT_PTR focus = OnInitDialog() ? TRUE : FALSE;
      if (!wasVisible) {
        CentreIfUnplaced(before);
      }
      return focus;
    }
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? Handled(0)
                                                                                       : FALSE;
    case WM_TIMER:
      OnTimer(wParam);
      return Handled(0);
    case WM_ERASEBKGND:
      return OnEraseBkgnd(reinterpret_cast<HDC>(wParam)) ? Handled(TRUE) : FALSE;
    case WM_PAINT:
      return OnPaint() ? Handled(0) : FALSE;
    case WM_QUERYDRAGICON:
      // Returned directly, like the colour queries.
      return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
    case WM_CLOSE:
      return OnClose() ? Handled(0) : FALSE;
    case WM_DRAWITEM: {
      // Only a control draws itself; a menu's item (id 0) is left alone.
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (wParam != 0 && item.hwndItem != nullptr &&
          ::SendMessageA(item.hwndItem, Reflected(WM_DRAWITEM), wParam, lParam) != 0) {
        return Handled(TRUE);
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lParam);
    self->m_hWnd = hwnd;
    ::SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
  } else {
    // Messages before WM_INITDIALOG (WM_SETFONT) find no object yet.
    self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
  }
  if (self == nullptr) {
    return FALSE;
  }
  const INT_PTR result = self->DialogMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    self->m_hWnd = nullptr;
  }
  return result;
}

}  // namespace ui
