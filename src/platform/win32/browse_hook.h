// The folder browser's test hook, built only into test builds (the
// definition SETUPKIT_TEST_HOOKS): a shipped setup program runs elevated and
// must not take answers from its environment.
#pragma once

#include <string>

namespace win32 {

// The environment variable that answers the folder browser without showing
// it. Its value is a list of answers separated by "|", one per
// BrowseForFolder call in turn; an empty answer or "<cancel>" reads as a
// cancelled browser. Once the answers are used up the real browser shows.
// A new value starts the list again.
inline constexpr const char* kBrowseAnswerVariable = "SETUPKIT_BROWSE_ANSWER";

enum class BrowseAnswer { None, Cancel, Folder };

// The next answer; None when the variable is unset or its answers are used up.
BrowseAnswer AnswerFromEnvironment(std::string& folder);

}  // namespace win32
