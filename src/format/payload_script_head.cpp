#include "format/payload_script_head.h"

#include "format/payload_contract.h"
#include "format/script_lines.h"

namespace package {

std::vector<std::string> ScriptHeadLines(const std::vector<ArchiveEntry>& entries,
                                         std::size_t count) {
  const ArchiveEntry* script = nullptr;
  for (const ArchiveEntry& entry : entries) {
    if (entry.name == kScriptEntryName) script = &entry;
  }
  std::vector<std::string> lines;
  if (script == nullptr) return lines;
  std::size_t at = 0;
  const auto nextByte = [&] { return at < script->size ? int{script->data[at++]} : -1; };
  std::string line;
  while (lines.size() < count && script::format::ReadScriptLine(nextByte, line)) {
    lines.push_back(line);
  }
  return lines;
}

}  // namespace package
