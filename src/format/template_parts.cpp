#include "format/template_parts.h"

namespace format {

namespace {

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The length of the name that the "%" at sign opens, or 0 when it opens none.
std::size_t NameAfter(std::string_view text, std::size_t sign) {
  const std::size_t close = text.find('%', sign + 1);
  if (close == std::string_view::npos || close == sign + 1) return 0;
  for (std::size_t i = sign + 1; i < close; ++i) {
    if (!IsNameCharacter(text[i])) return 0;
  }
  return close - sign - 1;
}

}  // namespace

void ForEachTemplatePart(std::string_view text,
                         base::FunctionRef<void(TemplatePart, std::string_view)> visit) {
  std::size_t start = 0;  // of the text not yet handed on
  for (std::size_t sign = text.find('%'); sign != std::string_view::npos;
       sign = text.find('%', start)) {
    const std::string_view before = text.substr(start, sign - start);
    if (const std::size_t name = NameAfter(text, sign); name != 0) {
      visit(TemplatePart::Piece, before);
      visit(TemplatePart::Name, text.substr(sign + 1, name));
      start = sign + name + 2;
    } else if (sign + 1 < text.size() && text[sign + 1] == '%') {
      visit(TemplatePart::Text, before);
      visit(TemplatePart::Percent, text.substr(sign, 1));
      start = sign + 2;
    } else {
      visit(TemplatePart::Piece, before);
      visit(TemplatePart::Lone, text.substr(sign, 1));
      start = sign + 1;
    }
  }
  visit(TemplatePart::Rest, text.substr(start));
}

}  // namespace format
