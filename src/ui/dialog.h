// CDialog: a modal dialog from a template of the executable's resources.
// Every message the framework serves is dispatched in DialogMessage, the one
// place to read; a derived dialog overrides the handlers it needs. Colour
// queries and owner-draw requests of child controls are first reflected to
// the control (see reflection.h), as the bound controls answer for themselves.
#pragma once

#include <windows.h>

#include "ui/reflection.h"
#include "ui/wnd.h"

namespace ui {

class CDialog : public CWnd {
 public:
  explicit CDialog(int templateId) : m_nTemplateId(templateId) {}
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;
  ~CDialog() = default;  // not virtual: no dialog is deleted through a base pointer

  // DialogBoxParamA: runs the dialog until EndDialog; the result given to
  // EndDialog, or -1 when the dialog could not be created.
  INT_PTR DoModal(HWND parent = nullptr);
  void EndDialog(INT_PTR result) const { ::EndDialog(m_hWnd, result); }

 protected:
  // --- Handlers. A handler that returns false leaves the message to the
  // system's default dialog processing.
  // WM_INITDIALOG; true lets the system focus the first tab stop.
  virtual bool OnInitDialog() { return true; }
  // IDOK and IDCANCEL (Enter and Esc end up here too).
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  // WM_COMMAND by control id and notification code. The base sends
  // BN_CLICKED of IDOK and IDCANCEL to OnOK and OnCancel.
  virtual bool OnCommand(int id, int code, HWND control);
  virtual void OnTimer(UINT_PTR) {}
  // Every WM_CTLCOLOR* message. The base asks the control itself (reflection)
  // and returns its brush, or null for the system's colours.
  virtual HBRUSH OnCtlColor(HDC dc, HWND control, CtlColor kind);
  // WM_ERASEBKGND; true when the background was erased.
  virtual bool OnEraseBkgnd(HDC) { return false; }
  virtual bool OnPaint() { return false; }
  // WM_QUERYDRAGICON; null for the default.
  virtual HICON OnQueryDragIcon() { return nullptr; }
  // WM_CLOSE; the default turns it into IDCANCEL.
  virtual bool OnClose() { return false; }

  // The dispatch of every message of the dialog's procedure. Returns what a
  // dialog procedure returns: FALSE for "not handled".
  virtual INT_PTR DialogMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // --- Helpers for handlers.
  // FillRect of the whole client area.
  void FillClientArea(HDC dc, HBRUSH brush) const;
  // The minimised dialog's painting: a paint device context, the icon's
  // background erased (WM_ICONERASEBKGND) and `icon`, when not null, drawn
  // centred with the system icon metrics. False, painting nothing, when the
  // dialog is not minimised.
  bool PaintIfMinimised(HICON icon) const;
  // WM_SETICON, big or small.
  void SetIcon(HICON icon, bool big) const {
    Send(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) const {
    return ::SetTimer(m_hWnd, id, milliseconds, nullptr);
  }
  void KillTimer(UINT_PTR id) const { ::KillTimer(m_hWnd, id); }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // After WM_INITDIALOG: centres a dialog that its template left hidden and
  // OnInitDialog neither showed nor moved, on its disabled owner or, without
  // one, on the work area.
  void CentreIfUnplaced(const RECT& before) const;
  // A handled message whose result goes back through DWLP_MSGRESULT.
  INT_PTR Handled(LRESULT result) const;

  int m_nTemplateId;
};

}  // namespace ui
