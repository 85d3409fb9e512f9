#include "format/entry_name.h"

#include "format/windows_path.h"

namespace format {

static_assert(kLongestEntryName == 159, "the message below names the limit");

const char* EntryNameProblem(std::string_view name) {
  if (name.empty()) return "the name is empty";
  if (name.size() > kLongestEntryName) return "the name is longer than 159 bytes";
  // Each step is checked at the "\" after it; the name's end counts as one.
  std::size_t start = 0;
  for (std::size_t i = 0; i <= name.size(); ++i) {
    const char c = i < name.size() ? name[i] : '\\';
    if (c == '/') return "the name holds a \"/\"";
    if (c == ':') return "the name holds a colon";
    if (static_cast<unsigned char>(c) < 0x20) return "the name holds a control character";
    if (c != '\\') continue;
    const std::string_view step = name.substr(start, i - start);
    start = i + 1;
    if (step.empty()) return "a \"\\\" leads, trails or is doubled";
    // Windows drops trailing dots and spaces: the file would get another
    // name than the archive gives it, and ". " or ".." (which end so too)
    // lead elsewhere.
    if (step.back() == '.' || step.back() == ' ') return "a step ends with a dot or a space";
    if (IsDeviceName(step)) return "a step is a device name";
  }
  return "";
}

}  // namespace format
