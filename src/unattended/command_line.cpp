#include "unattended/command_line.h"

#include <string_view>

#include "format/windows_path.h"
#include "install/install_texts.h"
#include "format/uninstall_log_format.h"

namespace unattended {

const char* const kUsageText =
    "Switches:\n"
    "/S or /VERYSILENT: install without any window\n"
    "/SILENT: show the progress only, ask nothing\n"
    "/D=FOLDER: install into FOLDER (last, unquoted)\n"
    "/DIR=\"FOLDER\": install into FOLDER\n"
    "/LOG=FILE: write a log of the run to FILE\n"
    "/LOG: the log in the temporary folder\n"
    "/ALLUSERS: links for all users (refused by\n"
    "  a setup program for one user)\n"
    "/NOCANCEL, /SP-, /SUPPRESSMSGBOXES\n"
#ifndef SETUPKIT_WITHOUT_RESTART_MANAGER
    "/CLOSEAPPLICATIONS: close programs using files\n"
    "/NOCLOSEAPPLICATIONS, /NORESTART: accepted\n"
#else
    "/CLOSEAPPLICATIONS, /NOCLOSEAPPLICATIONS,\n"
    "/NORESTART: accepted\n"
#endif
    "/?: show this box\n\n"
    "A silent run accepts the licence and starts no program.\n\n"
    "Exit codes:\n"
    "0 installed\n1 cancelled by the user\n2 installed with errors\n"
    "3 bad command line or refused folder\n4 damaged setup program\n"
    "5 the staging folder cannot be made\n"
    "1618 another setup runs\n"
    "3010 restart needed";

namespace {

// The installation folder, with the uninstall log's name below it, must fit
// the system's 259 characters.
constexpr std::size_t kLongestFolder =
    259 - 1 - std::char_traits<char>::length(install::log_format::kFileName);

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

std::string Upper(const std::string& text) { return format::AsciiUppered(text); }

// A full path below a drive's root. The root itself is refused: its removal
// at uninstall would take the whole drive.
std::string FolderError(const std::string& folder) {
  const char* why = nullptr;
  // A-Z or a-z: isalpha in the "C" locale the program keeps, without its import.
  const unsigned letter = (static_cast<unsigned char>(folder[0]) | 0x20u) - 'a';
  if (folder.size() < 4 || letter >= 26 || folder[1] != ':' || folder[2] != '\\') {
    why = "\" is not a full path below a drive's root, such as C:\\Program Files\\Product.";
  } else if (folder.find_first_of("\"*?<>|:", 2) != std::string::npos) {
    why = "\" holds a character no folder name holds.";
  } else if (folder.size() > kLongestFolder) {
    why = "\" is too long.";
  } else {
    return {};
  }
  return "The installation folder \"" + folder + why;
}

void SetFolder(CommandLine& line, std::string_view folder) {
  if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"') {
    folder.remove_suffix(1);
    folder.remove_prefix(1);
  }
  line.installFolder = format::WithoutTrailingSeparators(folder);
  if (line.error.empty()) line.error = FolderError(line.installFolder);
}

// The switches below, by their upper-case names (with the "=" of those that
// take a value), in one string walked by SwitchOf: a table of pointers, or
// a comparison each, costs the runtime more code.
enum class Switch {
  D,
  Dir,
  S,
  VerySilent,
  Silent,
  Log,
  LogTo,
  CloseApplications,
  NoCloseApplications,
  NoRestart,
  Help,
  Other,
};
constexpr char kSwitchNames[] =
    "/D=\0/DIR=\0/S\0/VERYSILENT\0/SILENT\0/LOG\0/LOG=\0/CLOSEAPPLICATIONS\0"
    "/NOCLOSEAPPLICATIONS\0/NORESTART\0/?\0";

Switch SwitchOf(const std::string& name) {
  int number = 0;
  for (const char* known = kSwitchNames; *known != '\0';
       known += std::char_traits<char>::length(known) + 1, ++number) {
    if (name == known) break;
  }
  return static_cast<Switch>(number);
}

const FlagSwitch* FindFlagSwitch(const std::string& name) {
  for (const FlagSwitch& known : kFlagSwitches) {
    if (name == known.word) return &known;
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
        Upper(word.substr(0, equals == std::string::npos ? equals : equals + 1));
    const std::string value = equals == std::string::npos ? std::string() : word.substr(equals + 1);
    Switch given = SwitchOf(name);
    // "/LOG=" without a file is no switch.
    if (given == Switch::LogTo && value.empty()) given = Switch::Other;
    if (given == Switch::D) {
      // Unquoted, the rest of the line is the folder, blanks and all. A
      // whole argument in quotes ends at its closing quote instead.
      if (raw[start] == '"') {
        SetFolder(line, value);
        SkipBlanks(raw, at);
        if (at < raw.size()) refuse("/D= must be the last argument.");
      } else {
        std::string rest = raw.substr(start + 3);
        while (!rest.empty() && IsBlank(rest.back())) rest.pop_back();
        SetFolder(line, rest);
        at = raw.size();
      }
    } else if (given == Switch::Dir) {
      SetFolder(line, value);
    } else if (given == Switch::S || given == Switch::VerySilent) {
      line.display = Display::None;
    } else if (given == Switch::Silent) {
      // The quieter of the two wins, whatever their order.
      if (line.display == Display::Full) line.display = Display::ProgressOnly;
    } else if (given == Switch::Log || given == Switch::LogTo) {
      line.logWanted = true;
      line.logPath = value;
    } else if (given == Switch::CloseApplications || given == Switch::NoCloseApplications) {
      line.closeApplications = given == Switch::CloseApplications;
    } else if (given == Switch::NoRestart) {
      line.noRestart = true;
    } else if (given == Switch::Help) {
      line.showHelp = true;
    } else if (const FlagSwitch* known = FindFlagSwitch(name)) {
      line.*(known->flag) = true;
      line.flagSwitches += ' ';
      line.flagSwitches += known->word;
    } else {
      refuse("Unknown argument \"" + word + "\".");
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
