#include "unattended/command_line.h"

#include "format/windows_path.h"
#include "unattended/switches.h"

namespace unattended {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void SkipBlanks(const std::string& raw, std::size_t& at) {
  while (at < raw.size() && IsBlank(raw[at])) ++at;
}

// The argument at `at`: quotes group blanks and are dropped.
std::string NextArgument(const std::string& raw, std::size_t& at) {
  std::string word;
  bool quoted = false;
  for (; at < raw.size(); ++at) {
    const char c = raw[at];
    if (c == '"') {
      quoted = !quoted;
    } else if (quoted || !IsBlank(c)) {
      word += c;
    } else {
      break;
    }
  }
  return word;
}

// The row of the switch named (upper case, with the "=" of a value), or
// nullptr.
const Switch* FindSwitch(const std::string& name) {
  for (const Switch& known : Switches()) {
    if (name == known.name) return &known;
  }
  return nullptr;
}

}  // namespace

CommandLine ParseCommandLine(const std::string& raw) {
  CommandLine line;
  std::size_t at = 0;
  SkipBlanks(raw, at);
  NextArgument(raw, at);  // the program's own name
  const auto refuse = [&line](const std::string& why) {
    if (line.error.empty()) line.error = why;
  };
  while (true) {
    SkipBlanks(raw, at);
    if (at >= raw.size()) break;
    const std::size_t start = at;
    const std::string word = NextArgument(raw, at);
    const std::size_t equals = word.find('=');
    const std::string name =
        format::AsciiUppered(word.substr(0, equals == std::string::npos ? equals : equals + 1));
    std::string value = equals == std::string::npos ? std::string() : word.substr(equals + 1);
    const Switch* given = FindSwitch(name);
    if (given == nullptr || (given->value == SwitchValue::NonEmpty && value.empty())) {
      refuse("Unknown argument \"" + word + "\".");
      continue;
    }
    // Unquoted, the rest of the line is the value, blanks and all. A whole
    // argument in quotes ends at its closing quote instead.
    const bool restOfLine = given->value == SwitchValue::RestOfLine;
    if (restOfLine && raw[start] != '"') {
      value = raw.substr(start + name.size());
      while (!value.empty() && IsBlank(value.back())) value.pop_back();
      at = raw.size();
    }
    given->set(line, value);
    if (restOfLine) {
      SkipBlanks(raw, at);
      if (at < raw.size()) refuse(name + " must be the last argument.");
    }
    if (given->namedInLog) {
      line.accepted += ' ';
      line.accepted += given->name;
    }
  }
  return line;
}

std::string DefaultLogPath(const std::string& tempFolder, const std::string& raw) {
  std::size_t at = 0;
  SkipBlanks(raw, at);
  std::string name = NextArgument(raw, at);
  const std::size_t slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  if (name.empty()) name = "setup";
  return tempFolder + name + ".log";
}

}  // namespace unattended
