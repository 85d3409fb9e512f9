// How a template of the script falls into parts, one rule for the setup
// program, which expands them, and mksetup, which checks them.
//
// Scanned from the left, each "%" ends the text before it:
//   "%NAME%"  (letters, digits and "_") is a name: a path variable, or an
//             unknown name that stands for its bare text;
//   "%%"      that opens no name is one literal "%", and the text before it
//             is plain text;
//   any other "%" is a lone sign: it is dropped, and the text before it is
//             looked up as a name all the same, as it always was.
// A template without "%%" therefore expands as it did before "%%" meant a
// "%": every "%" cuts it, and each piece but the last is looked up. With
// "%%", "%%SystemRoot%%" is the text "%SystemRoot%" for a REG_EXPAND_SZ.
#pragma once

#include <string_view>

#include "base/function_ref.h"

namespace format {

enum class TemplatePart {
  Piece,    // the text before a name or a lone "%": looked up, and kept as
            // it is when unknown
  Text,     // the text before "%%", kept as it is
  Name,     // the text between the two "%" of "%NAME%"
  Percent,  // "%%": one literal "%" (the text is "%")
  Lone,     // a lone "%" (the text is "%")
  Rest,     // the text after the last "%", never looked up; always the last part
};

// Calls visit with each part in order. A Piece comes before every Name and
// Lone, a Text before every Percent, each empty when nothing stands before
// the "%".
void ForEachTemplatePart(std::string_view text,
                         base::FunctionRef<void(TemplatePart, std::string_view)> visit);

}  // namespace format
