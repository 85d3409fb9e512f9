#include "uninstaller_app/command_line.h"

#include <windows.h>

namespace uninstaller_app {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

std::vector<std::string> CommandLineArguments(const char* commandLine) {
  std::vector<std::string> words;
  const std::string text = commandLine == nullptr ? "" : commandLine;
  std::size_t at = 0;
  bool first = true;
  while (true) {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    if (at >= text.size()) break;
    std::string word;
    bool quoted = false;
    for (; at < text.size() && (quoted || (text[at] != ' ' && text[at] != '\t')); ++at) {
      if (text[at] == '"') {
        quoted = !quoted;
      } else {
        word += text[at];
      }
    }
    // The first word is the program's own name.
    if (!first) words.push_back(word);
    first = false;
  }
  return words;
}

bool HasSilentSwitch(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument.size() == 2 && argument[0] == '/' && (argument[1] == 'S' || argument[1] == 's'))
      return true;
  }
  return false;
}

std::string RemoverCommandLine(const std::string& program, const RemoverArguments& arguments) {
  return Quoted(program) + " " + std::to_string(arguments.processHandle) + " " +
         Quoted(arguments.folder) +
         (arguments.createdAbove == 0 ? "" : " " + std::to_string(arguments.createdAbove));
}

bool ParseRemoverArguments(const std::vector<std::string>& arguments, RemoverArguments& parsed) {
  // A folder path holds at most 130 levels; a bigger count is not ours.
  constexpr std::uintptr_t kMostLevels = 130;
  const auto number = [](const std::string& digits, std::uintptr_t& value) {
    value = 0;
    for (const char c : digits) {
      if (c < '0' || c > '9' || value > UINTPTR_MAX / 10 - 9) return false;
      value = value * 10 + static_cast<std::uintptr_t>(c - '0');
    }
    return !digits.empty();
  };
  if (arguments.size() < 2 || arguments.size() > 3 || arguments[1].empty()) return false;
  std::uintptr_t handle = 0;
  std::uintptr_t levels = 0;
  if (!number(arguments[0], handle)) return false;
  if (arguments.size() == 3 && (!number(arguments[2], levels) || levels > kMostLevels))
    return false;
  parsed.processHandle = handle;
  parsed.folder = arguments[1];
  parsed.createdAbove = static_cast<unsigned>(levels);
  return true;
}

std::string OwnFolder() {
  char buffer[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::string path(buffer, length);
  const std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace uninstaller_app
