// The folder browser's test hook; see browse_hook.h. Compiled to nothing
// outside test builds.
#if defined(SETUPKIT_TEST_HOOKS)
#include "platform/win32/browse_hook.h"

#include <windows.h>

#include <cstring>

namespace win32 {

namespace {

// The browser hook's value as last read, and how many of its answers are
// taken. Zero-filled, so they cost the file nothing.
char g_browseAnswers[1024];
unsigned g_browseAnswersTaken;

}  // namespace

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
  const std::size_t answerLength =
      end != nullptr ? static_cast<std::size_t>(end - answer) : std::strlen(answer);
  // An answer too long for a path is no folder.
  if (answerLength == 0 || answerLength >= MAX_PATH) return BrowseAnswer::Cancel;
  folder.assign(answer, answerLength);
  if (folder == "<cancel>") return BrowseAnswer::Cancel;
  return BrowseAnswer::Folder;
}

}  // namespace win32
#endif
