// Shell links, launching, the folder browser and waiting.
#include <objbase.h>
#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/browse_hook.h"
#include "platform/win32/file_attributes.h"
#include "platform/win32/item_list.h"
#include "platform/win32/ole32_library.h"
#include "platform/win32/this_process.h"
#include "platform/win32/win32_platform.h"

namespace win32 {

namespace {

// The shell's COM objects live in this thread's apartment. It is never
// uninitialised: the program keeps using the shell until it ends. False when
// COM's library could not be loaded.
bool EnterApartment() {
  if (!ole32::Load()) return false;
  ole32::g_functions.coInitialize(nullptr);
  return true;
}

// The ANSI text in UTF-16, through the ANSI code page, in a buffer that
// holds the longest path Windows has; null on failure or for an empty text.
// Links are made on the installing step's one thread only.
const WCHAR* Widened(const std::string& text) {
  static WCHAR wide[1 << 15];
  return MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 1 << 15) > 1 ? wide : nullptr;
}

// Cuts path back to the nearest folder that exists: the folder itself, or
// one above it; empty when none does (a drive that is not there).
void CutToExistingFolder(char* path) {
  for (;;) {
    const DWORD attributes = AttributesOf(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      return;
    }
    char* slash = nullptr;  // the last backslash
    for (char* c = path; *c != '\0'; ++c) {
      if (*c == '\\') slash = c;
    }
    if (slash == nullptr) {
      path[0] = '\0';
      return;
    }
    // "C:\" keeps its backslash; "C:\a\" and "C:\a\b" lose their last one.
    slash[slash == path + 2 && slash[1] != '\0' ? 1 : 0] = '\0';
  }
}

// Selects the starting folder (the callback's data) once the browser is up.
int CALLBACK SelectStartFolder(HWND window, UINT message, LPARAM, LPARAM folder) {
  if (message == BFFM_INITIALIZED) SendMessageA(window, BFFM_SETSELECTIONA, TRUE, folder);
  return 0;
}

}  // namespace

bool Win32Shell::CreateLink(const std::string& linkPath, const std::string& target) {
  IShellLinkA* link = nullptr;
  if (!EnterApartment() ||
      FAILED(ole32::g_functions.coCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                                 IID_IShellLinkA,
                                                 reinterpret_cast<void**>(&link))) ||
      link == nullptr) {
    return false;
  }
  link->SetPath(target.c_str());

  bool saved = false;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      file != nullptr) {
    const WCHAR* widePath = Widened(linkPath);
    // remember = TRUE: the link file becomes the object's own; an existing
    // file of that name is replaced.
    saved = widePath != nullptr && SUCCEEDED(file->Save(widePath, TRUE));
    file->Release();
  }
  link->Release();
  return saved;
}

void Win32Shell::Launch(const std::string& program) {
  ShellExecuteA(nullptr, "open", program.c_str(), nullptr, nullptr, SW_SHOW);
}

bool Win32Shell::BrowseForFolder(const std::string& title, const std::string& startFolder,
                                 std::string& chosen) {
#if defined(SETUPKIT_TEST_HOOKS)
  std::string answer;
  switch (AnswerFromEnvironment(answer)) {
    case BrowseAnswer::Folder:
      chosen = answer;
      return true;
    case BrowseAnswer::Cancel:
      return false;
    case BrowseAnswer::None:
      break;
  }
#endif

  EnterApartment();
  char start[MAX_PATH];
  start[startFolder.copy(start, MAX_PATH - 1)] = '\0';
  CutToExistingFolder(start);
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info = {};
  info.hwndOwner = browserOwner_;
  info.pidlRoot = nullptr;
  info.pszDisplayName = displayName;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = &SelectStartFolder;
  info.lParam = reinterpret_cast<LPARAM>(start);
  LPITEMIDLIST items = SHBrowseForFolderA(&info);
  if (items == nullptr) return false;
  const std::string path = ItemListPath(items);
  FreeItemList(items);
  if (path.empty()) return false;
  chosen = path;
  return true;
}

// The process's own handle is signalled only once it has ended: the wait
// lasts the whole time, as Sleep would.
void Win32Shell::Sleep(unsigned milliseconds) { WaitForSingleObject(ThisProcess(), milliseconds); }

void Win32Shell::NotifyAssociationsChanged() {
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

void Win32Shell::NotifyEnvironmentChanged() {
  // A broadcast waits on each window in turn: a second each at most, and
  // none for a window that does not answer messages, so that a silent run
  // never waits long on another program.
  constexpr UINT kMillisecondsEach = 1000;
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Environment"),
                      SMTO_ABORTIFHUNG, kMillisecondsEach, &answer);
}

}  // namespace win32
