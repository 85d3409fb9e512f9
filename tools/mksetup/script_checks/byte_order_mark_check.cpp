#include "mksetup/script_checks/byte_order_mark_check.h"

#include "base/hex_escape.h"

namespace mksetup {

bool CheckByteOrderMark(const ScriptText& script, Diagnostics& out) {
  const std::string& first = script.LineOrEmpty(0);
  const std::string saveAs =
      "save the script as \"ANSI\" (the code page of the users' machines) or as UTF-8 without a "
      "byte-order mark";
  if (first.rfind("\xEF\xBB\xBF", 0) == 0) {
    out.Error(
        1,
        "the script starts with a UTF-8 byte-order mark (\"UTF-8 with BOM\"): the setup "
        "program takes its three bytes for the start of the product name (\"\xC3\xAF\xC2\xBB\xC2\xBF" +
            base::HexEscaped(first.substr(3)) +
            "\" in the wizard and in Windows' list of programs); " + saveAs);
    return true;
  }
  if (first.rfind("\xFF\xFE", 0) == 0 || first.rfind("\xFE\xFF", 0) == 0) {
    out.Error(1,
              "the script is saved as UTF-16 (\"Unicode\"): the setup program reads single "
              "bytes and finds none of its lines in it; " +
                  saveAs);
    return false;
  }
  return true;
}

}  // namespace mksetup
