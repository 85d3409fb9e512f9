#include "format/windows_path.h"

namespace format {

namespace {

// The text with the 26 letters from `first` on moved by `shift`: one body
// for both cases.
std::string AsciiCaseMoved(std::string_view text, char first, int shift) {
  std::string moved(text);
  for (char& c : moved) {
    if (c >= first && c <= first + 25) c = static_cast<char>(c + shift);
  }
  return moved;
}

}  // namespace

std::string AsciiLowered(std::string_view text) { return AsciiCaseMoved(text, 'A', 'a' - 'A'); }

std::string AsciiUppered(std::string_view text) { return AsciiCaseMoved(text, 'a', 'A' - 'a'); }

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
  std::string text = AsciiLowered(path);
  for (char& c : text) c = c == '/' ? '\\' : c;
  // "\\?\", "\\.\" and "\??\" hand the rest to the object manager as it
  // stands; "\\?\UNC\server" is "\\server".
  if (text.size() >= 4 && text[0] == '\\' && text[3] == '\\' &&
      ((text[1] == '\\' && (text[2] == '?' || text[2] == '.')) ||
       (text[1] == '?' && text[2] == '?'))) {
    text.erase(0, 4);
    if (text.starts_with("unc\\")) {
      text.erase(0, 2);
      text[0] = '\\';
    }
  }
  std::size_t rootSize = 0;
  std::size_t keptSteps = 0;  // a share's server and name are never left by ".."
  bool fromRoot = !text.empty() && text[0] == '\\';  // "\name": on the current drive
  if (text.size() >= 2 && text[1] == ':') {
    // "C:name" is relative to the drive's current folder: it stays so.
    if (text.size() > 2 && text[2] != '\\') return text;
    rootSize = 2;
    fromRoot = true;
  } else if (text.starts_with("\\\\")) {
    rootSize = 2;
    keptSteps = 2;
    fromRoot = false;
  }
  std::string canonical(text.data(), rootSize);
  std::size_t steps = 0;
  for (std::size_t start = rootSize; start <= text.size();) {
    std::size_t end = text.find('\\', start);
    if (end == std::string::npos) end = text.size();
    std::string_view step(text.data() + start, end - start);
    start = end + 1;
    if (step == "..") {
      if (steps > keptSteps) {
        const std::size_t last = canonical.rfind('\\');
        canonical.erase(last == std::string::npos || last < rootSize ? rootSize : last);
        --steps;
      }
      continue;
    }
    // The file system takes a step without its stream suffix and without
    // trailing dots and spaces; nothing is left of "." or a doubled "\".
    const std::size_t stream = step.find(':');
    if (stream != std::string_view::npos) step.remove_suffix(step.size() - stream);
    while (!step.empty() && (step.back() == '.' || step.back() == ' ')) step.remove_suffix(1);
    if (step.empty()) continue;
    if (steps > 0 || fromRoot) canonical += '\\';
    canonical.append(step);
    ++steps;
  }
  if (steps == 0 && rootSize == 0) return fromRoot ? "\\" : "";
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
  static constexpr std::string_view kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const std::string_view device : kDevices) {
    if (upper == device) return true;
  }
  if (upper.size() != 4 || !(upper.starts_with("COM") || upper.starts_with("LPT"))) return false;
  // "¹", "²" and "³" in code page 1252: Windows takes them for 1, 2 and 3.
  const unsigned char digit = static_cast<unsigned char>(upper[3]);
  return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

}  // namespace format
