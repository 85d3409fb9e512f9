// The sample product's setup script, sample/quill_writer/setup/log_file.txt:
// the script the manual starts from and the main job builds. The tests read
// it where it lies (tests/CMakeLists.txt passes its path as
// SETUPKIT_SAMPLE_SCRIPT), so there is no copy of it to fall behind.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace sample_test {

// The script's bytes: CR LF line ends, as mksetup carries it.
inline std::string SampleScript() {
  std::ifstream in(SETUPKIT_SAMPLE_SCRIPT, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << SETUPKIT_SAMPLE_SCRIPT;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The script's lines without their CR LF.
inline std::vector<std::string> SampleLines() {
  const std::string text = SampleScript();
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// Lines each followed by CR LF.
inline std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// Sets the line `offset` lines below the first line that is exactly marker.
inline void SetLineAfter(std::vector<std::string>& lines, const std::string& marker,
                         std::size_t offset, const std::string& value) {
  for (std::size_t i = 0; i + offset < lines.size(); ++i) {
    if (lines[i] == marker) {
      lines[i + offset] = value;
      return;
    }
  }
  ADD_FAILURE() << "the sample script has no line " << offset << " below " << marker;
}

// Removes the first section that opens with marker, up to its end marker.
inline void RemoveSection(std::vector<std::string>& lines, const std::string& marker,
                          const std::string& end) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] != marker) continue;
    for (std::size_t j = i + 1; j < lines.size(); ++j) {
      if (lines[j] == end) {
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i),
                    lines.begin() + static_cast<std::ptrdiff_t>(j + 1));
        return;
      }
    }
  }
  ADD_FAILURE() << "the sample script has no section " << marker << " ... " << end;
}

}  // namespace sample_test
