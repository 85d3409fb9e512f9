// The program's message boxes.
#include "platform/win32/win32_platform.h"

namespace win32 {

namespace {

// The executable's file name without its extension, as the framework names
// an application.
std::string ApplicationName() {
  char buffer[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::string name(buffer, length);
  const std::size_t slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

}  // namespace

bool Win32MessageBoxes::Show(platform::MessageKind kind, const std::string& text) {
  switch (kind) {
    case platform::MessageKind::ExitQuestion:
      return MessageBoxA(owner_, text.c_str(), "Setup Wizard", MB_OKCANCEL) == IDOK;
    case platform::MessageKind::Warning:
      break;
  }
  const std::string caption = ApplicationName();
  return MessageBoxA(owner_, text.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION) == IDOK;
}

platform::InUseAnswer Win32MessageBoxes::AskAboutFilesInUse(const std::string& text) {
  const std::string caption = ApplicationName();
  switch (MessageBoxA(owner_, text.c_str(), caption.c_str(),
                      MB_CANCELTRYCONTINUE | MB_ICONEXCLAMATION)) {
    case IDTRYAGAIN:
      return platform::InUseAnswer::Retry;
    case IDCONTINUE:
      return platform::InUseAnswer::CloseThem;
    default:
      return platform::InUseAnswer::Cancel;
  }
}

}  // namespace win32
