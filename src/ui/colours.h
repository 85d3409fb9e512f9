// The colours both dialogs paint with.
#pragma once

#include <windows.h>

namespace ui {

// Dialog background and static controls of the extraction dialog and the
// wizard.
constexpr COLORREF kDialogBackColour = RGB(240, 244, 250);
// The wizard's header title band.
constexpr COLORREF kHeaderBackColour = RGB(245, 247, 253);
// The wizard's licence text.
constexpr COLORREF kLicenceBackColour = RGB(255, 255, 255);
constexpr COLORREF kTextColour = RGB(0, 0, 0);

}  // namespace ui
