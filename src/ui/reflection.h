// The messages a dialog hands back to the child control they concern, so
// that the control can answer for itself: colour queries and owner drawing.
// Numbered as ATL numbers its reflected messages (OCM_*), above WM_USER and
// clear of every standard control's own messages, so a control that does not
// handle them answers 0 through its default window procedure.
#pragma once

#include <windows.h>

namespace ui {

constexpr UINT kReflectedBase = WM_USER + 0x1C00;

constexpr UINT Reflected(UINT message) { return kReflectedBase + message; }

// The kind of a colour query: which WM_CTLCOLOR* message it came as.
enum class CtlColor : int {
  MsgBox = CTLCOLOR_MSGBOX,
  Edit = CTLCOLOR_EDIT,
  ListBox = CTLCOLOR_LISTBOX,
  Button = CTLCOLOR_BTN,
  Dialog = CTLCOLOR_DLG,
  ScrollBar = CTLCOLOR_SCROLLBAR,
  Static = CTLCOLOR_STATIC,
};

// WM_CTLCOLORMSGBOX .. WM_CTLCOLORSTATIC are consecutive, in CTLCOLOR_* order.
constexpr bool IsCtlColorMessage(UINT message) {
  return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}
constexpr CtlColor CtlColorKindOf(UINT message) {
  return static_cast<CtlColor>(message - WM_CTLCOLORMSGBOX);
}
constexpr UINT CtlColorMessageOf(CtlColor kind) {
  return WM_CTLCOLORMSGBOX + static_cast<UINT>(kind);
}

}  // namespace ui
