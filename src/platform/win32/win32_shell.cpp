// Shell links, launching, the folder browser and waiting.
#include <objbase.h>
#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include "platform/win32/item_list.h"
#include "platform/win32/win32_platform.h"

namespace win32 {

namespace {

// The shell's COM objects live in this thread's apartment. It is never
// uninitialised: the program keeps using the shell until it ends.
void EnterApartment() {
  CoInitialize(nullptr);
}

// The ANSI text in UTF-16, through the ANSI code page; empty on failure.
std::wstring Widened(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  if (MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length) != length) return {};
  wide.pop_back();  // the terminator the call counted
  return wide;
}

// The browser hook's value as last read, and how many of its answers are
// taken. Zero-filled, so they cost the file nothing.
char g_browseAnswers[1024];
unsigned g_browseAnswersTaken;

enum class BrowseAnswer { None, Cancel, Folder };

// The test hook: the next answer for the folder browser from the environment.
BrowseAnswer AnswerFromEnvironment(std::string& folder) {
  char value[sizeof g_browseAnswers];
  SetLastError(ERROR_SUCCESS);
  const DWORD length = GetEnvironmentVariableA(kBrowseAnswerVariable, value, sizeof value);
  if (length == 0) {
    return GetLastError() == ERROR_ENVVAR_NOT_FOUND ? BrowseAnswer::None : BrowseAnswer::Cancel;
  }
  if (length >= sizeof value) return BrowseAnswer::Cancel;
  if (std::strcmp(g_browseAnswers, value) != 0) {
    std::strcpy(g_browseAnswers, value);
    g_browseAnswersTaken = 0;
  }
  // Plain C strings: the runtime has no room for more of std::string.
  const char* answer = g_browseAnswers;
  for (unsigned i = 0; i < g_browseAnswersTaken; ++i) {
    answer = std::strchr(answer, '|');
    if (answer == nullptr) return BrowseAnswer::None;
    ++answer;
  }
  ++g_browseAnswersTaken;
  const char* const end = std::strchr(answer, '|');
  const std::size_t answerLength = end != nullptr ? static_cast<std::size_t>(end - answer) : std::strlen(answer);
  // An answer too long for a path is no folder.
  if (answerLength == 0 || answerLength >= MAX_PATH) return BrowseAnswer::Cancel;
  folder.assign(answer, answerLength);
  if (folder == "<cancel>") return BrowseAnswer::Cancel;
  return BrowseAnswer::Folder;
}

}  // namespace

bool Win32Shell::CreateLink(const std::string& linkPath, const std::string& target) {
  EnterApartment();
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))) ||
      link == nullptr) {
    return false;
  }
  link->SetPath(target.c_str());

  bool saved = false;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      file != nullptr) {
    const std::wstring widePath = Widened(linkPath);
    // remember = TRUE: the link file becomes the object's own; an existing
    // file of that name is replaced.
    saved = !widePath.empty() && SUCCEEDED(file->Save(widePath.c_str(), TRUE));
    file->Release();
  }
  link->Release();
  return saved;
}

void Win32Shell::Launch(const std::string& program) {
  ShellExecuteA(nullptr, "open", program.c_str(), nullptr, nullptr, SW_SHOW);
}

bool Win32Shell::BrowseForFolder(std::string& chosen) {
  std::string answer;
  switch (AnswerFromEnvironment(answer)) {
    case BrowseAnswer::Folder: chosen = answer; return true;
    case BrowseAnswer::Cancel: return false;
    case BrowseAnswer::None: break;
  }

  EnterApartment();
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info = {};
  info.hwndOwner = browserOwner_;
  info.pidlRoot = nullptr;
  info.pszDisplayName = displayName;
  info.lpszTitle = "Browse";
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = nullptr;
  LPITEMIDLIST items = SHBrowseForFolderA(&info);
  if (items == nullptr) return false;
  const std::string path = ItemListPath(items);
  FreeItemList(items);
  if (path.empty()) return false;
  chosen = path;
  return true;
}

void Win32Shell::Sleep(unsigned milliseconds) {
  ::Sleep(milliseconds);
}

}  // namespace win32
