// The setup script's lines, read one way by the setup program (from the
// staged file, afresh for each pass) and by mksetup (from the script's
// bytes): LF ends a line and a CR right before it belongs to the line end; a
// last line without a line end is a line too. Any other byte, a lone CR
// included, is part of the line, and a line is read whole whatever its
// length.
#pragma once

#include <string>

namespace format {

// Reads the next line into line, without its line end. nextByte() gives the
// next byte (0 to 255) or a negative number at the end of the bytes. At the
// end returns false with line empty; an empty line is a successful read.
template <typename NextByte>
bool ReadScriptLine(NextByte&& nextByte, std::string& line) {
  line.clear();
  bool readAnything = false;
  for (int c = nextByte(); c >= 0; c = nextByte()) {
    readAnything = true;
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    line.push_back(static_cast<char>(c));
  }
  return readAnything;
}

}  // namespace format
