#include "ui/wnd.h"

namespace ui {

std::string WindowText(HWND hwnd) {
  const int length = ::GetWindowTextLengthA(hwnd);
  if (length <= 0) {
    return {};
  }
  // The length can be an overestimate (it may count a conversion's worth of
  // bytes), so keep only what GetWindowTextA copied.
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = ::GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

}  // namespace ui
