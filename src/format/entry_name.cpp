#include "format/entry_name.h"

#include "format/windows_path.h"

namespace format {

static_assert(kLongestEntryName == 159, "the message below names the limit");

std::string_view EntryNameProblem(std::string_view name) {
  if (name.empty()) return "the name is empty";
  if (name.size() > kLongestEntryName) return "the name is longer than 159 bytes";
  for (const char c : name) {
    if (c == '/') return "the name holds a \"/\"";
    if (c == ':') return "the name holds a colon";
    if (static_cast<unsigned char>(c) < 0x20) return "the name holds a control character";
  }
  for (std::size_t start = 0; start <= name.size();) {
    std::size_t end = name.find('\\', start);
    if (end == std::string_view::npos) end = name.size();
    const std::string_view step = name.substr(start, end - start);
    start = end + 1;
    if (step.empty()) return "a \"\\\" leads, trails or is doubled";
    if (step == "." || step == "..") return "a step is \".\" or \"..\"";
    // Windows drops trailing dots and spaces: the file would get another
    // name than the archive gives it (and ".. " would become "..").
    if (step.back() == '.' || step.back() == ' ') return "a step ends with a dot or a space";
    if (IsDeviceName(step)) return "a step is a device name";
  }
  return {};
}

}  // namespace format
