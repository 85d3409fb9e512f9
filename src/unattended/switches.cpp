#include "unattended/switches.h"

#include <iterator>

#include "format/uninstall_log_format.h"
#include "format/windows_path.h"

namespace unattended {

namespace {

using install::Display;

// The installation folder, with the uninstall log's name below it, must fit
// the system's 259 characters.
constexpr std::size_t kLongestFolder =
    259 - 1 - std::char_traits<char>::length(format::log::kFileName);

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

void NoWindow(CommandLine& line, std::string_view) { line.display = Display::None; }
// The quieter of /S and /SILENT wins, whatever their order.
void ShowProgressOnly(CommandLine& line, std::string_view) {
  if (line.display == Display::Full) line.display = Display::ProgressOnly;
}

void Log(CommandLine& line, std::string_view file) {
  line.logWanted = true;
  line.logPath = file;
}

void AllUsers(CommandLine& line, std::string_view) { line.allUsers = true; }
void NoCancel(CommandLine& line, std::string_view) { line.noCancel = true; }
void NoStartQuestion(CommandLine& line, std::string_view) { line.noStartQuestion = true; }
void SuppressMessageBoxes(CommandLine& line, std::string_view) { line.suppressMessageBoxes = true; }

// The later of /CLOSEAPPLICATIONS and /NOCLOSEAPPLICATIONS wins.
void CloseApplications(CommandLine& line, std::string_view) { line.closeApplications = true; }
void LeaveApplications(CommandLine& line, std::string_view) { line.closeApplications = false; }

void NoRestart(CommandLine& line, std::string_view) { line.noRestart = true; }
void ShowHelp(CommandLine& line, std::string_view) { line.showHelp = true; }

constexpr bool kNamedInLog = true;

// In the order of their lines in /?.
constexpr Switch kSwitches[] = {
    {"/S", SwitchValue::None, NoWindow, "/S or /VERYSILENT: install without any window\n"},
    {"/VERYSILENT", SwitchValue::None, NoWindow, ""},
    {"/SILENT", SwitchValue::None, ShowProgressOnly,
     "/SILENT: show the progress only, ask nothing\n"},
    {"/D=", SwitchValue::RestOfLine, SetFolder,
     "/D=FOLDER: install into FOLDER (last, unquoted)\n"},
    {"/DIR=", SwitchValue::Text, SetFolder, "/DIR=\"FOLDER\": install into FOLDER\n"},
    {"/LOG=", SwitchValue::NonEmpty, Log, "/LOG=FILE: write a log of the run to FILE\n"},
    {"/LOG", SwitchValue::None, Log, "/LOG: the log in the temporary folder\n"},
    {"/ALLUSERS", SwitchValue::None, AllUsers,
     "/ALLUSERS: links for all users (refused by\n  a setup program for one user)\n", kNamedInLog},
    {"/NOCANCEL", SwitchValue::None, NoCancel, "/NOCANCEL, /SP-, /SUPPRESSMSGBOXES\n", kNamedInLog},
    {"/SP-", SwitchValue::None, NoStartQuestion, "", kNamedInLog},
    {"/SUPPRESSMSGBOXES", SwitchValue::None, SuppressMessageBoxes, "", kNamedInLog},
    {"/CLOSEAPPLICATIONS", SwitchValue::None, CloseApplications,
     "/CLOSEAPPLICATIONS: close programs using files\n"},
    {"/NOCLOSEAPPLICATIONS", SwitchValue::None, LeaveApplications,
     "/NOCLOSEAPPLICATIONS, /NORESTART: accepted\n"},
    {"/NORESTART", SwitchValue::None, NoRestart, ""},
    {"/?", SwitchValue::None, ShowHelp, "/?: show this box\n"},
};

constexpr const char* kUsageEnd =
    "\nA silent run accepts the licence and starts no program.\n\n"
    "Exit codes:\n"
    "0 installed\n1 cancelled by the user\n2 installed with errors\n"
    "3 bad command line or refused folder\n4 damaged setup program\n"
    "5 the staging folder cannot be made\n"
    "1618 another setup runs\n"
    "3010 restart needed";

}  // namespace

std::span<const Switch> Switches() { return kSwitches; }

std::string UsageText() {
  std::string text = "Switches:\n";
  for (const Switch& known : kSwitches) text += known.help;
  return text + kUsageEnd;
}

}  // namespace unattended
