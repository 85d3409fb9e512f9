// The "layout" command: every control of the wizard's window against the
// row of the wizard's page table for a page, read from the other process
// as the user sees it.
#pragma once

#include <windows.h>

#include <string>

namespace driver {

// PAGE is welcome, licence, destination, installing or finish. False with
// every difference in `error`.
bool CheckPageLayout(HWND dialog, const std::string& page, std::string& error);

}  // namespace driver
