// The setup program's switches, one row each: its name, how it takes a
// value, what it sets, its line in /? and whether the log names it. The
// parse, the /? box and the log's "Accepted:" line all read this one table,
// and a native test holds it against the manual's list of switches.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "unattended/command_line.h"

namespace unattended {

enum class SwitchValue : unsigned char {
  None,      // the name alone: /S
  Text,      // the text after the name's "=", also none: /DIR=
  NonEmpty,  // the same, but "/LOG=" alone is no switch: an unknown argument
  // The rest of the line as it stands, blanks and all, which makes it the
  // last argument; quoted as a whole argument, it ends at its quote and
  // must still be last: /D=
  RestOfLine,
};

struct Switch {
  // Upper case; ends with "=" when the switch takes a value.
  const char* name;
  SwitchValue value;
  // What the switch sets; value is empty for SwitchValue::None.
  void (*set)(CommandLine& line, std::string_view value);
  // Its line in /?, ending with "\n"; empty when a line above names it.
  const char* help;
  // Named on the log's "Accepted:" line when given.
  bool namedInLog = false;
};

std::span<const Switch> Switches();

// The text of /?: every switch, then the exit codes.
std::string UsageText();

}  // namespace unattended
