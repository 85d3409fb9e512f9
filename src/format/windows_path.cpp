#include "format/windows_path.h"

#include <vector>

namespace format {

namespace {

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         SameIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

// One step as the file system takes it: no stream suffix, no trailing dots
// or spaces. A step made only of dots and spaces becomes ".".
std::string StepAsTaken(std::string_view step) {
  if (step == "." || step == "..") return std::string(step);
  step = step.substr(0, step.find(':'));
  while (!step.empty() && (step.back() == '.' || step.back() == ' ')) step.remove_suffix(1);
  return step.empty() ? "." : AsciiLowered(step);
}

}  // namespace

std::string AsciiLowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = AsciiLower(c);
  return lowered;
}

std::string AsciiUppered(std::string_view text) {
  std::string uppered(text);
  for (char& c : uppered) c = AsciiUpper(c);
  return uppered;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string joined(folder);
  if (joined.empty() || !IsPathSeparator(joined.back())) joined += '\\';
  return joined.append(name);
}

std::string WithTrailingSeparator(std::string_view folder) {
  std::string with(folder);
  if (!with.empty() && !IsPathSeparator(with.back())) with += '\\';
  return with;
}

std::string WithoutTrailingSeparators(std::string_view path) {
  const std::size_t keep = path.size() >= 3 && path[1] == ':' ? 3 : 1;
  while (path.size() > keep && IsPathSeparator(path.back())) path.remove_suffix(1);
  return std::string(path);
}

std::string DriveRootText(std::string_view path) { return std::string(path.substr(0, 3)); }

std::string CanonicalPath(std::string_view path) {
  std::string text(path);
  for (char& c : text) c = c == '/' ? '\\' : c;
  // The prefixes that hand the rest to the object manager as it stands.
  if (text.starts_with("\\\\?\\") || text.starts_with("\\\\.\\") || text.starts_with("\\??\\")) {
    text.erase(0, 4);
    if (StartsWithFolded(text, "unc\\")) text.replace(0, 4, "\\\\");
  }
  std::string root;
  bool fromRoot = text.starts_with("\\");  // "\name": on the current drive
  std::size_t keptSteps = 0;               // a share's server and name are never left by ".."
  if (text.size() >= 2 && text[1] == ':') {
    root = AsciiLowered(text.substr(0, 2));
    text.erase(0, 2);
    // "C:name" is relative to the drive's current folder: it stays so.
    if (!text.empty() && text[0] != '\\') return root + AsciiLowered(text);
    fromRoot = true;
  } else if (text.starts_with("\\\\")) {
    root = "\\\\";
    fromRoot = false;
    keptSteps = 2;
  }
  std::vector<std::string> steps;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\\', start);
    if (end == std::string::npos) end = text.size();
    const std::string_view spelt = std::string_view(text).substr(start, end - start);
    start = end + 1;
    if (spelt.empty()) continue;
    const std::string step = StepAsTaken(spelt);
    if (step == ".") continue;
    if (step == "..") {
      if (steps.size() > keptSteps) steps.pop_back();
      continue;
    }
    steps.push_back(step);
  }
  if (steps.empty() && root.empty()) return fromRoot ? "\\" : "";
  std::string canonical = root;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (i > 0 || fromRoot) canonical += '\\';
    canonical += steps[i];
  }
  return canonical;
}

bool SamePath(std::string_view a, std::string_view b) {
  return CanonicalPath(a) == CanonicalPath(b);
}

bool IsAtOrBelow(std::string_view path, std::string_view folder) {
  const std::string inner = CanonicalPath(path);
  const std::string outer = CanonicalPath(folder);
  if (outer.empty() || inner.size() < outer.size() || inner.compare(0, outer.size(), outer) != 0)
    return false;
  return inner.size() == outer.size() || inner[outer.size()] == '\\' || outer.back() == '\\';
}

std::size_t RootLength(std::string_view canonical) {
  const auto isLetter = [](char c) { return AsciiLower(c) >= 'a' && AsciiLower(c) <= 'z'; };
  if (canonical.size() >= 2 && isLetter(canonical[0]) && canonical[1] == ':') {
    return canonical.size() == 2 || canonical[2] == '\\' ? 2 : 0;
  }
  if (!canonical.starts_with("\\\\")) return 0;
  const std::size_t server = canonical.find('\\', 2);
  if (server == std::string_view::npos || server == 2) return 0;
  const std::size_t share = canonical.find('\\', server + 1);
  if (share == server + 1) return 0;
  return share == std::string_view::npos ? canonical.size() : share;
}

bool IsDriveRoot(std::string_view path) {
  const std::string canonical = CanonicalPath(path);
  if (canonical.size() == 2 && canonical[1] == ':') return true;
  if (!canonical.starts_with("\\\\") || canonical.size() == 2) return false;
  const std::size_t server = canonical.find('\\', 2);
  return server == std::string::npos || canonical.find('\\', server + 1) == std::string::npos;
}

bool HasDotStep(std::string_view path) {
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = start;
    while (end < path.size() && !IsPathSeparator(path[end])) ++end;
    const std::string_view step = path.substr(start, end - start);
    start = end + 1;
    if (!step.empty() && step.find_first_not_of(". ") == std::string_view::npos &&
        step.find('.') != std::string_view::npos) {
      return true;
    }
  }
  return false;
}

bool IsRootKeyPath(std::string_view key) {
  return key.find_first_not_of('\\') == std::string_view::npos;
}

std::string ComparableKeyPath(std::string_view key) {
  std::string comparable;
  for (const char c : key) {
    if (c == '\\' && (comparable.empty() || comparable.back() == '\\')) continue;
    comparable += AsciiLower(c);
  }
  if (!comparable.empty() && comparable.back() == '\\') comparable.pop_back();
  return comparable;
}

bool IsDeviceName(std::string_view name) {
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  const std::string upper = AsciiUppered(stem);
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (upper == device) return true;
  }
  if (upper.size() != 4 || !(upper.starts_with("COM") || upper.starts_with("LPT"))) return false;
  // "¹", "²" and "³" in code page 1252: Windows takes them for 1, 2 and 3.
  const unsigned char digit = static_cast<unsigned char>(upper[3]);
  return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

}  // namespace format
