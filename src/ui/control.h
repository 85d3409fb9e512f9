// CControl: a C++ object bound to an existing control of a dialog template.
// Binding subclasses the control (comctl32's SetWindowSubclass), so its
// messages pass through WindowProc first; no window is created. The binding
// ends by itself when the control is destroyed, so the object may outlive
// the dialog and be bound again the next time the dialog runs.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "ui/common_controls.h"
#include "ui/reflection.h"
#include "ui/wnd.h"

namespace ui {

class CControl : public CWnd {
 public:
  CControl() = default;
  CControl(const CControl&) = delete;
  CControl& operator=(const CControl&) = delete;
  ~CControl();  // not virtual: no control is deleted through a base pointer

  // Binds this object to control `id` of `dialog`. False when there is no
  // such control or this object is bound already.
  bool SubclassDlgItem(int id, HWND dialog);
  void UnsubclassWindow();

 protected:
  // Runs once the handle is known and before the first message passes
  // through WindowProc.
  virtual void PreSubclassWindow() {}
  // A colour query reflected by the dialog; a brush answers it, null leaves
  // it to the dialog.
  virtual HBRUSH CtlColor(HDC dc, CtlColor kind);
  // An owner-draw request reflected by the dialog; true when drawn.
  virtual bool DrawItem(const DRAWITEMSTRUCT& item);
  // The control's messages, in one place: the reflected ones go to the two
  // operations above, everything else to the control's own procedure.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultSubclassProc(m_hWnd, message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR subclassId, DWORD_PTR self);
};

// The plain control kinds: typed wrappers of their messages.
class CStatic : public CControl {};

class CProgressCtrl : public CControl {
 public:
  // PBM_SETPOS; returns the previous position.
  int SetPos(int position) const {
    return static_cast<int>(Send(PBM_SETPOS, static_cast<WPARAM>(position)));
  }
};

}  // namespace ui
