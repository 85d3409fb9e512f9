// CColorStatic: a static or edit control that answers its own colour query
// with its text colour, background colour and a brush of the background.
#pragma once

#include <windows.h>

#include "ui/control.h"

namespace ui {

class CColorStatic : public CStatic {
 public:
  CColorStatic();
  ~CColorStatic();

  // Replaces the background colour and its brush and repaints at once.
  void SetBackColor(COLORREF colour);

  COLORREF m_crBack;
  COLORREF m_crText;
  HBRUSH m_brush;

 protected:
  // Sets the background and text colours (not the background mode) and
  // returns m_brush.
  HBRUSH CtlColor(HDC dc, ui::CtlColor kind) override;
};

}  // namespace ui
