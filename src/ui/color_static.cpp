#include "ui/color_static.h"

namespace ui {

CColorStatic::CColorStatic()
    : m_crBack(::GetSysColor(COLOR_BTNFACE)),
      m_crText(RGB(0, 0, 0)),
      m_brush(::CreateSolidBrush(m_crBack)) {}

CColorStatic::~CColorStatic() {
  // The control may still paint during its destruction; stop reflecting to
  // this object before the brush goes.
  UnsubclassWindow();
  ::DeleteObject(m_brush);
}

void CColorStatic::SetBackColor(COLORREF colour) {
  m_crBack = colour;
  ::DeleteObject(m_brush);
  m_brush = ::CreateSolidBrush(colour);
  if (m_hWnd != nullptr) {
    RedrawNow();
  }
}

HBRUSH CColorStatic::CtlColor(HDC dc, ui::CtlColor) {
  ::SetBkColor(dc, m_crBack);
  ::SetTextColor(dc, m_crText);
  return m_brush;
}

}  // namespace ui
