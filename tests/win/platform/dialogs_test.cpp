// The real message boxes and folder browser, answered by a watcher thread as
// a user would answer them. They need a display: the harness sets
// SETUPKIT_GUI_TESTS=1 when it runs them under Xvfb.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "scratch_folder.h"

namespace {

bool GuiTestsEnabled() {
  char value[8];
  const DWORD length = GetEnvironmentVariableA("SETUPKIT_GUI_TESTS", value, sizeof value);
  return length == 1 && value[0] == '1';
}

// How long a found dialog stays up before it is answered, for screenshots.
DWORD DwellMilliseconds() {
  char value[16];
  const DWORD length = GetEnvironmentVariableA("SETUPKIT_GUI_DWELL_MS", value, sizeof value);
  if (length == 0 || length >= sizeof value) return 0;
  return static_cast<DWORD>(std::strtoul(value, nullptr, 10));
}

std::string TextOf(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// Waits on its own thread for a dialog of the test's thread, notes what it
// shows and answers it.
class DialogWatcher {
 public:
  DialogWatcher(int button, std::string selection = {})
      : button_(button), selection_(std::move(selection)), owner_(GetCurrentThreadId()) {
    thread_ = CreateThread(nullptr, 0, &DialogWatcher::Run, this, 0, nullptr);
  }
  ~DialogWatcher() {
    if (thread_ != nullptr) {
      WaitForSingleObject(thread_, 15000);
      CloseHandle(thread_);
    }
  }
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;

  bool found = false;
  std::string caption;
  std::string text;  // a message box's text
  bool hasCancel = false;
  bool hasIcon = false;

 private:
  static BOOL CALLBACK FindDialog(HWND window, LPARAM self) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
    reinterpret_cast<DialogWatcher*>(self)->dialog_ = window;
    return FALSE;
  }

  static DWORD WINAPI Run(void* self) {
    static_cast<DialogWatcher*>(self)->Watch();
    return 0;
  }

  void Watch() {
    for (int tries = 0; tries < 200 && dialog_ == nullptr; ++tries) {
      Sleep(50);
      EnumThreadWindows(owner_, &DialogWatcher::FindDialog, reinterpret_cast<LPARAM>(this));
    }
    if (dialog_ == nullptr) return;
    found = true;
    Sleep(200);  // let the dialog finish its set-up
    caption = TextOf(dialog_);
    text = TextOf(GetDlgItem(dialog_, 0xFFFF));
    hasCancel = GetDlgItem(dialog_, IDCANCEL) != nullptr;
    // A message box shows its icon in an SS_ICON static, which it may keep
    // without an icon.
    for (HWND child = GetWindow(dialog_, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
          SendMessageA(child, STM_GETICON, 0, 0) != 0) {
        hasIcon = true;
      }
    }
    if (!selection_.empty()) {
      SendMessageA(dialog_, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(selection_.c_str()));
    }
    Sleep(DwellMilliseconds());
    PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog_, button_)));
  }

  int button_;
  std::string selection_;
  DWORD owner_;
  HWND dialog_ = nullptr;
  HANDLE thread_ = nullptr;
};

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!GuiTestsEnabled()) GTEST_SKIP() << "SETUPKIT_GUI_TESTS not set";
  }
  platform::Platform& host = win32::Win32Platform();
};

TEST_F(DialogsTest, WarningShowsTheTextUnderTheProgramsNameWithOkOnly) {
  DialogWatcher watcher(IDOK);
  EXPECT_TRUE(host.messages.Show(platform::MessageKind::Warning, "Destination Folder Path Error"));
  ASSERT_TRUE(watcher.found);
  EXPECT_EQ(watcher.caption, "platform_win_tests");
  EXPECT_EQ(watcher.text, "Destination Folder Path Error");
  EXPECT_FALSE(watcher.hasCancel);
  EXPECT_TRUE(watcher.hasIcon);
}

TEST_F(DialogsTest, ExitQuestionIsTrueOnlyForOk) {
  {
    DialogWatcher watcher(IDOK);
    EXPECT_TRUE(host.messages.Show(platform::MessageKind::ExitQuestion, "Leave?"));
    ASSERT_TRUE(watcher.found);
    EXPECT_EQ(watcher.caption, "Setup Wizard");
    EXPECT_EQ(watcher.text, "Leave?");
    EXPECT_TRUE(watcher.hasCancel);
    EXPECT_FALSE(watcher.hasIcon);
  }
  {
    DialogWatcher watcher(IDCANCEL);
    EXPECT_FALSE(host.messages.Show(platform::MessageKind::ExitQuestion, "Leave?"));
    EXPECT_TRUE(watcher.found);
  }
}

TEST_F(DialogsTest, FolderBrowserReturnsTheChosenFolder) {
  // Wine's browser selects folders of drive C: by path, but not those below
  // the user's profile, which it shows under the desktop.
  const std::string folder = "C:\\setupkit-browse-" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(host.files.MakeFolder(folder));
  std::string chosen;
  bool accepted = false;
  {
    DialogWatcher watcher(IDOK, folder);
    accepted = host.shell.BrowseForFolder("Choose", "C:\\", chosen);
    EXPECT_TRUE(watcher.found);
  }
  RemoveDirectoryA(folder.c_str());
  EXPECT_TRUE(accepted);
  EXPECT_EQ(chosen, folder);
}

// OK at once takes the folder the browser opened at: the nearest one that
// exists above the starting folder.
TEST_F(DialogsTest, FolderBrowserOpensAtTheStartingFolder) {
  const std::string folder = "C:\\setupkit-start-" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(host.files.MakeFolder(folder));
  std::string chosen;
  bool accepted = false;
  {
    DialogWatcher watcher(IDOK);
    accepted = host.shell.BrowseForFolder("Choose", folder + "\\not yet\\", chosen);
    EXPECT_TRUE(watcher.found);
  }
  RemoveDirectoryA(folder.c_str());
  EXPECT_TRUE(accepted);
  EXPECT_EQ(chosen, folder);
}

TEST_F(DialogsTest, CancelledFolderBrowserKeepsTheFolder) {
  DialogWatcher watcher(IDCANCEL);
  std::string chosen = "C:\\kept";
  EXPECT_FALSE(host.shell.BrowseForFolder("Choose", "C:\\", chosen));
  EXPECT_TRUE(watcher.found);
  EXPECT_EQ(chosen, "C:\\kept");
}

}  // namespace
