#include "commands.h"

#include <sddl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "page_layout.h"
#include "screenshot.h"

namespace driver {

namespace {

std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
    return {};
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(copied);
  return text;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// Shows control characters so that a failed comparison is readable.
std::string Visible(const std::string& text) {
  std::string shown;
  for (const char c : text) {
    if (c == '\n')
      shown += "\\n";
    else if (c == '\r')
      shown += "\\r";
    else if (c == '\t')
      shown += "\\t";
    else
      shown += c;
  }
  return "\"" + shown + "\"";
}

// TEXT, or when it ends with "*", any text that starts with the rest.
bool TextMatches(const std::string& text, const std::string& wanted) {
  if (!wanted.empty() && wanted.back() == '*') {
    return text.compare(0, wanted.size() - 1, wanted, 0, wanted.size() - 1) == 0;
  }
  return text == wanted;
}

bool IsChecked(HWND control) {
  DWORD_PTR state = 0;
  SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
  return state == BST_CHECKED;
}

bool StateHolds(HWND control, const std::string& state, bool& known) {
  known = true;
  if (state == "visible") return IsWindowVisible(control) != FALSE;
  if (state == "hidden") return IsWindowVisible(control) == FALSE;
  if (state == "enabled") return IsWindowEnabled(control) != FALSE;
  if (state == "disabled") return IsWindowEnabled(control) == FALSE;
  if (state == "checked") return IsChecked(control);
  if (state == "unchecked") return !IsChecked(control);
  known = false;
  return false;
}

std::string StateOf(HWND control) {
  std::string state = IsWindowVisible(control) ? "visible" : "hidden";
  state += IsWindowEnabled(control) ? " enabled" : " disabled";
  if (IsChecked(control)) state += " checked";
  return state + " text " + Visible(TextOf(control));
}

struct FindContext {
  DWORD processId;
  const std::string* caption;
  HWND except;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM parameter) {
  auto* context = reinterpret_cast<FindContext*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != context->processId || window == context->except) return TRUE;
  if (!IsWindowVisible(window) || ClassOf(window) != "#32770") return TRUE;
  if (*context->caption != "*" && TextOf(window) != *context->caption) return TRUE;
  context->found = window;
  return FALSE;
}

// The system menu's Close item cannot be read from another process (the
// menu lives in the program's own), but the title bar's close button shows
// its state: drawn in the button text colour when available, in grey when
// the item is greyed. This counts the pixels of that colour at the right end
// of the caption, where the button is; -1 when the screen cannot be read.
// It needs title bars drawn by Wine itself (no window manager).
int DarkPixelsOfCloseButton(HWND dialog) {
  RECT frame{};
  if (!GetWindowRect(dialog, &frame)) return -1;
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return -1;
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  const int button = GetSystemMetrics(SM_CXSIZE);
  int dark = 0;
  for (int y = frame.top + 2; y < frame.top + 2 + caption; ++y) {
    for (int x = frame.right - 2 - button - 8; x < frame.right - 2; ++x) {
      if (GetPixel(screen, x, y) == text) ++dark;
    }
  }
  ReleaseDC(nullptr, screen);
  return dark;
}

}  // namespace

bool SplitWords(const std::string& line, std::vector<std::string>& words, std::string& error) {
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    if (line[i] == '#') break;
    std::string word;
    if (line[i] == '"') {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c == '\\' && i < line.size()) {
          const char e = line[i++];
          word += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
        } else {
          word += c;
        }
      }
      if (!closed) {
        error = "unclosed quote";
        return false;
      }
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') word += line[i++];
    }
    words.push_back(word);
  }
  return true;
}

Session::~Session() {
  if (started_) {
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
}

void Session::Abandon() {
  if (started_ && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
}

HWND Session::FindDialog(const std::string& caption, HWND except) const {
  FindContext context{process_.dwProcessId, &caption, except, nullptr};
  EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&context));
  return context.found;
}

bool Session::Control(const std::string& id, HWND& control, std::string& error) const {
  if (dialog_ == nullptr) {
    error = "no current dialog (use 'window' first)";
    return false;
  }
  control = GetDlgItem(dialog_, std::atoi(id.c_str()));
  if (control == nullptr) {
    error = "the dialog has no control " + id;
    return false;
  }
  return true;
}

bool Session::WaitFor(const std::string& what, std::string& error, bool (*test)(Session&, void*),
                      void* context) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (test(*this, context)) return true;
    if (GetTickCount() - start > timeoutMs_) {
      error = "timed out waiting for " + what;
      return false;
    }
    Sleep(50);
  }
}

bool Session::Start(const std::vector<std::string>& words, std::string& error) {
  std::string commandLine;
  if (words[0] == "start-command") {
    commandLine = words[1];  // as it stands, as the system runs a stored command
  } else {
    for (std::size_t i = 1; i < words.size(); ++i) {
      if (i > 1) commandLine += ' ';
      commandLine += "\"" + words[i] + "\"";
    }
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process_)) {
    error = "cannot start " + words[1] + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  started_ = true;
  return true;
}

bool Session::Run(const std::vector<std::string>& words, std::string& error) {
  const std::string& command = words[0];
  const std::size_t count = words.size();
  auto needs = [&](std::size_t n) {
    if (count == n) return true;
    error = command + " takes " + std::to_string(n - 1) + " argument(s)";
    return false;
  };

  if (command == "start") {
    if (count < 2) {
      error = "start takes a program";
      return false;
    }
    return Start(words, error);
  }
  if (command == "start-command") {
    if (!needs(2)) return false;
    return Start(words, error);
  }
  if (command == "timeout") {
    if (!needs(2)) return false;
    timeoutMs_ = static_cast<DWORD>(std::atol(words[1].c_str()));
    return true;
  }
  if (command == "sleep") {
    if (!needs(2)) return false;
    Sleep(static_cast<DWORD>(std::atol(words[1].c_str())));
    return true;
  }
  if (command == "env") {
    if (!needs(3)) return false;
    if (SetEnvironmentVariableA(words[1].c_str(), words[2].c_str())) return true;
    error = "cannot set " + words[1];
    return false;
  }
  if (command == "hold-mutex") {
    if (count != 2 && !needs(3)) return false;
    // Held until the driver ends, as a running setup program holds its own.
    // With the default security, as a program of the user makes it, or
    // "administrators" owning it, as a machine install's run does.
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, FALSE};
    if (words.size() > 2 &&
        (words[2] != "administrators" || !ConvertStringSecurityDescriptorToSecurityDescriptorA(
                                             "O:BAD:(A;;GA;;;BA)(A;;GA;;;SY)", SDDL_REVISION_1,
                                             &attributes.lpSecurityDescriptor, nullptr))) {
      error = "hold-mutex NAME [administrators]";
      return false;
    }
    if (CreateMutexA(&attributes, FALSE, words[1].c_str()) != nullptr) return true;
    error = "cannot create the mutex " + words[1];
    return false;
  }
  if (command == "hold") {
    if (!needs(2)) return false;
    // Read sharing only: nobody may write, rename or delete the file until
    // the driver ends, as a program that has its file open keeps it.
    const HANDLE held = CreateFileA(words[1].c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held != INVALID_HANDLE_VALUE) return true;
    error = "cannot open " + words[1] + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  if (command == "screenshot") {
    if (!needs(2)) return false;
    return SaveScreenshot(words[1], error);
  }
  if (!started_) {
    error = "no program started";
    return false;
  }
  if (command == "window") {
    if (!needs(2)) return false;
    struct Find {
      const std::string* caption;
      HWND found;
    } find{&words[1], nullptr};
    const bool ok = WaitFor(
        "a dialog captioned " + Visible(words[1]), error,
        [](Session& s, void* c) {
          auto* f = static_cast<Find*>(c);
          f->found = s.FindDialog(*f->caption, nullptr);
          return f->found != nullptr;
        },
        &find);
    if (ok) dialog_ = find.found;
    return ok;
  }
  if (command == "caption") {
    if (!needs(2)) return false;
    if (dialog_ == nullptr || TextOf(dialog_) == words[1]) return true;
    error = "caption is " + Visible(TextOf(dialog_));
    return false;
  }
  if (command == "expect") {
    if (count < 3) {
      error = "expect takes an id and states";
      return false;
    }
    HWND control = nullptr;
    if (!Control(words[1], control, error)) return false;
    for (std::size_t i = 2; i < count; ++i) {
      bool known = false;
      if (!StateHolds(control, words[i], known)) {
        error = known ? "control " + words[1] + " is not " + words[i] + ": " + StateOf(control)
                      : "unknown state " + words[i];
        return false;
      }
    }
    return true;
  }
  if (command == "layout") {
    if (!needs(2)) return false;
    if (dialog_ == nullptr) {
      error = "no current dialog (use 'window' first)";
      return false;
    }
    return CheckPageLayout(dialog_, words[1], error);
  }
  if (command == "text" || command == "wait-text") {
    if (!needs(3)) return false;
    HWND control = nullptr;
    if (!Control(words[1], control, error)) return false;
    if (command == "text") {
      if (TextOf(control) == words[2]) return true;
      error = "control " + words[1] + " reads " + Visible(TextOf(control)) + ", not " +
              Visible(words[2]);
      return false;
    }
    struct Want {
      HWND control;
      const std::string* text;
    } want{control, &words[2]};
    if (WaitFor(
            "control " + words[1] + " to read " + Visible(words[2]), error,
            [](Session&, void* c) {
              auto* w = static_cast<Want*>(c);
              return TextOf(w->control) == *w->text;
            },
            &want)) {
      return true;
    }
    error += "; it reads " + Visible(TextOf(control));
    return false;
  }
  if (command == "wait") {
    if (!needs(3)) return false;
    HWND control = nullptr;
    if (!Control(words[2], control, error)) return false;
    struct Want {
      HWND control;
      const std::string* state;
      bool known;
    } want{control, &words[1], true};
    const bool ok = WaitFor(
        "control " + words[2] + " to be " + words[1], error,
        [](Session&, void* c) {
          auto* w = static_cast<Want*>(c);
          return StateHolds(w->control, *w->state, w->known) || !w->known;
        },
        &want);
    if (!want.known) {
      error = "unknown state " + words[1];
      return false;
    }
    if (!ok) error += ": " + StateOf(control);
    return ok;
  }
  if (command == "click") {
    if (!needs(2)) return false;
    HWND control = nullptr;
    if (!Control(words[1], control, error)) return false;
    PostMessageA(control, BM_CLICK, 0, 0);
    return true;
  }
  if (command == "key") {
    if (!needs(3)) return false;
    HWND control = nullptr;
    if (!Control(words[1], control, error)) return false;
    const WPARAM key = words[2] == "escape" ? VK_ESCAPE : words[2] == "return" ? VK_RETURN : 0;
    if (key == 0) {
      error = "unknown key " + words[2];
      return false;
    }
    PostMessageA(control, WM_KEYDOWN, key, 1);
    PostMessageA(control, WM_KEYUP, key, 0xC0000001);
    return true;
  }
  if (command == "close") {
    if (!needs(1)) return false;
    if (dialog_ == nullptr) {
      error = "no current dialog";
      return false;
    }
    PostMessageA(dialog_, WM_CLOSE, 0, 0);
    return true;
  }
  if (command == "close-button") {
    if (!needs(2)) return false;
    if (words[1] != "greyed" && words[1] != "available") {
      error = "close-button takes greyed or available";
      return false;
    }
    const int dark = DarkPixelsOfCloseButton(dialog_);
    if (dark < 0) {
      error = "cannot read the screen";
      return false;
    }
    if ((dark == 0) == (words[1] == "greyed")) return true;
    error = "the close button is not " + words[1] + " (" + std::to_string(dark) + " dark pixels)";
    return false;
  }
  if (command == "box" || command == "dialog" || command == "wait-dialog") {
    const bool isBox = command == "box";
    const bool answers = command != "wait-dialog";
    if (!needs(isBox ? 4 : answers ? 3 : 2)) return false;
    struct Find {
      const std::string* caption;
      HWND except;
      HWND found;
    } find{&words[1], dialog_, nullptr};
    if (!WaitFor(
            "a dialog captioned " + Visible(words[1]), error,
            [](Session& s, void* c) {
              auto* f = static_cast<Find*>(c);
              f->found = s.FindDialog(*f->caption, f->except);
              return f->found != nullptr;
            },
            &find)) {
      return false;
    }
    if (!answers) return true;
    const std::string text = TextOf(GetDlgItem(find.found, 0xFFFF));
    if (isBox && !TextMatches(text, words[2])) {
      error = "the box reads " + Visible(text) + ", not " + Visible(words[2]);
      return false;
    }
    const std::string& button = words[isBox ? 3 : 2];
    const int id = button == "OK"         ? IDOK
                   : button == "CANCEL"   ? IDCANCEL
                   : button == "YES"      ? IDYES
                   : button == "NO"       ? IDNO
                   : button == "TRYAGAIN" ? IDTRYAGAIN
                   : button == "CONTINUE" ? IDCONTINUE
                                          : 0;
    HWND control = id ? GetDlgItem(find.found, id) : nullptr;
    if (control == nullptr) {
      error = "the box has no button " + button;
      return false;
    }
    PostMessageA(control, BM_CLICK, 0, 0);
    // The box is gone before the next command looks at the program again.
    struct Gone {
      HWND window;
    } gone{find.found};
    return WaitFor(
        "the box to close", error,
        [](Session&, void* c) {
          return !IsWindow(static_cast<Gone*>(c)->window) ||
                 !IsWindowVisible(static_cast<Gone*>(c)->window);
        },
        &gone);
  }
  if (command == "no-box") {
    if (!needs(1)) return false;
    const std::string any = "*";
    HWND other = FindDialog(any, dialog_);
    if (other == nullptr) return true;
    error = "a dialog is open: " + Visible(TextOf(other)) + " " +
            Visible(TextOf(GetDlgItem(other, 0xFFFF)));
    return false;
  }
  if (command == "gone") {
    if (!needs(1)) return false;
    struct Gone {
      HWND window;
    } gone{dialog_};
    const bool ok = WaitFor(
        "the dialog to close", error,
        [](Session&, void* c) {
          HWND w = static_cast<Gone*>(c)->window;
          return !IsWindow(w) || !IsWindowVisible(w);
        },
        &gone);
    if (ok) dialog_ = nullptr;
    return ok;
  }
  if (command == "exit") {
    if (!needs(2)) return false;
    if (WaitForSingleObject(process_.hProcess, timeoutMs_) != WAIT_OBJECT_0) {
      error = "the program did not end";
      return false;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    if (code == static_cast<DWORD>(std::atol(words[1].c_str()))) return true;
    error = "exit code " + std::to_string(code) + ", not " + words[1];
    return false;
  }
  error = "unknown command " + command;
  return false;
}

}  // namespace driver
