#include "uninstaller_app/message_box_prompts.h"

#include <windows.h>

namespace uninstaller_app {

namespace {

// "\n" in the texts; a message box wants CR LF to break a line everywhere.
std::string WithWindowsBreaks(const std::string& text) {
  std::string converted;
  for (const char c : text) {
    if (c == '\n') converted += '\r';
    converted += c;
  }
  return converted;
}

int Show(const std::string& caption, const std::string& text, UINT style) {
  // Topmost and in the task bar: nothing else of the program is on screen.
  return MessageBoxA(nullptr, WithWindowsBreaks(text).c_str(), caption.c_str(),
                     style | MB_SETFOREGROUND | MB_TOPMOST);
}

}  // namespace

bool MessageBoxPrompts::Confirm(const std::string& caption, const std::string& text) {
  return Show(caption, text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void MessageBoxPrompts::Inform(const std::string& caption, const std::string& text) {
  Show(caption, text, MB_OK | MB_ICONINFORMATION);
}

void MessageBoxPrompts::Fail(const std::string& caption, const std::string& text) {
  Show(caption, text, MB_OK | MB_ICONERROR);
}

}  // namespace uninstaller_app
