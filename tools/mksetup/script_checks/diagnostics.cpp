#include "mksetup/script_checks/diagnostics.h"

#include <algorithm>

#include "base/hex_escape.h"

namespace mksetup {

void Diagnostics::Error(std::size_t line, std::string text) {
  items_.push_back({Severity::Error, line, std::move(text)});
}

void Diagnostics::Warning(std::size_t line, std::string text) {
  items_.push_back({Severity::Warning, line, std::move(text)});
}

void Diagnostics::Note(std::size_t line, std::string text) {
  items_.push_back({Severity::Note, line, std::move(text)});
}

bool Diagnostics::HasErrors() const { return ErrorCount() != 0; }

std::size_t Diagnostics::ErrorCount() const {
  return static_cast<std::size_t>(
      std::count_if(items_.begin(), items_.end(),
                    [](const Diagnostic& d) { return d.severity == Severity::Error; }));
}

std::vector<Diagnostic> Diagnostics::Sorted() const {
  std::vector<Diagnostic> sorted = items_;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Diagnostic& a, const Diagnostic& b) {
    // Line 0 (the folder's) sorts last.
    const std::size_t left = a.line == 0 ? static_cast<std::size_t>(-1) : a.line;
    const std::size_t right = b.line == 0 ? static_cast<std::size_t>(-1) : b.line;
    return left < right;
  });
  return sorted;
}

std::string FormatDiagnostic(const Diagnostic& diagnostic, const std::string& scriptName,
                             const std::string& folderName) {
  std::string text =
      diagnostic.line == 0 ? folderName : scriptName + ":" + std::to_string(diagnostic.line);
  switch (diagnostic.severity) {
    case Severity::Error:
      text += ": error: ";
      break;
    case Severity::Warning:
      text += ": warning: ";
      break;
    case Severity::Note:
      text += ": note: ";
      break;
  }
  text += diagnostic.text;
  return text;
}

std::string Quoted(const std::string& text) { return "\"" + base::HexEscaped(text) + "\""; }

}  // namespace mksetup
