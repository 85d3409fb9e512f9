// The colours the setup program's two windows paint with.
#pragma once

#include <windows.h>

namespace wizard_window {

// Dialog background and static controls of the wizard; the extraction
// dialog paints with the same, so that the two look like one program.
constexpr COLORREF kDialogBackColour = RGB(240, 244, 250);
// The wizard's header title band.
constexpr COLORREF kHeaderBackColour = RGB(245, 247, 253);
// The wizard's licence text.
constexpr COLORREF kLicenceBackColour = RGB(255, 255, 255);
constexpr COLORREF kTextColour = RGB(0, 0, 0);

}  // namespace wizard_window
