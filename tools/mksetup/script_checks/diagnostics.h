// What the checks of a build find: errors stop the build, warnings and notes
// do not.
// Each is tied to a line of the setup script or to the folder of files.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace mksetup {

enum class Severity { Note, Warning, Error };

struct Diagnostic {
  Severity severity = Severity::Error;
  // 1-based line of the script; 0 when the problem is the folder's, not a
  // line's (a missing uninstaller that no line names, two licence files).
  std::size_t line = 0;
  std::string text;
};

class Diagnostics {
 public:
  void Error(std::size_t line, std::string text);
  void Warning(std::size_t line, std::string text);
  void Note(std::size_t line, std::string text);

  bool HasErrors() const;
  std::size_t ErrorCount() const;
  // Script lines first, in line order (stable for equal lines), then the
  // folder's problems.
  std::vector<Diagnostic> Sorted() const;

 private:
  std::vector<Diagnostic> items_;
};

// "SCRIPT:LINE: error: TEXT" for a script line, "FOLDER: error: TEXT" for
// the folder of files; no line end.
std::string FormatDiagnostic(const Diagnostic& diagnostic, const std::string& scriptName,
                             const std::string& folderName);

// A text in double quotes, with control characters and DEL shown as \xNN, so
// that a stray space or a CR in a script line can be seen in a message.
std::string Quoted(const std::string& text);

}  // namespace mksetup
