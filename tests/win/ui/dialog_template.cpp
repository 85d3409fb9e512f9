#include "dialog_template.h"

#include "base/little_endian.h"

namespace ui_tests {

namespace {

class Reader {
 public:
  Reader(const BYTE* data, std::size_t size) : data_(data), size_(size) {}

  bool ok() const { return ok_; }

  WORD Word() {
    if (!Need(2)) return 0;
    const WORD value = base::LoadLe16(data_ + pos_);
    pos_ += 2;
    return value;
  }
  DWORD Dword() {
    const DWORD low = Word();
    return low | (static_cast<DWORD>(Word()) << 16);
  }
  int Short() { return static_cast<std::int16_t>(Word()); }
  BYTE Byte() {
    if (!Need(1)) return 0;
    return data_[pos_++];
  }
  void Skip(std::size_t count) {
    if (Need(count)) pos_ += count;
  }
  void AlignDword() { Skip((4 - pos_ % 4) % 4); }

  // A NUL-terminated UTF-16 string, as ANSI.
  std::string String() {
    std::wstring wide;
    for (WORD c = Word(); ok_ && c != 0; c = Word()) {
      wide.push_back(static_cast<wchar_t>(c));
    }
    return ToAnsi(wide);
  }
  // sz_Or_Ord: empty, an ordinal (0xFFFF then the number) or a string.
  std::string StringOrOrdinal() {
    const WORD first = Word();
    if (first == 0) return {};
    if (first == 0xFFFF) return OrdinalName(Word());
    pos_ -= 2;
    return String();
  }

 private:
  bool Need(std::size_t count) {
    if (!ok_ || size_ - pos_ < count) ok_ = false;
    return ok_;
  }
  static std::string ToAnsi(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int length = static_cast<int>(wide.size());
    const int bytes =
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, text.data(), bytes, nullptr, nullptr);
    return text;
  }
  static std::string OrdinalName(WORD ordinal) {
    switch (ordinal) {
      case 0x80:
        return "Button";
      case 0x81:
        return "Edit";
      case 0x82:
        return "Static";
      default:
        return "#" + std::to_string(ordinal);
    }
  }

  const BYTE* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace

std::string ResourceBytes(LPCSTR type, LPCSTR name) {
  HMODULE module = ::GetModuleHandleA(nullptr);
  HRSRC found = ::FindResourceA(module, name, type);
  if (found == nullptr) return {};
  HGLOBAL loaded = ::LoadResource(module, found);
  const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (bytes == nullptr) return {};
  return std::string(static_cast<const char*>(bytes), ::SizeofResource(module, found));
}

bool LoadDialogTemplate(int id, DialogTemplate& dialog) {
  const std::string bytes =
      ResourceBytes(MAKEINTRESOURCEA(5) /* RT_DIALOG */, MAKEINTRESOURCEA(id));
  Reader in(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size());
  if (in.Word() != 1 || in.Word() != 0xFFFF) return false;  // version 1, extended
  in.Dword();                                               // help id
  dialog.exStyle = in.Dword();
  dialog.style = in.Dword();
  const int count = in.Word();
  in.Short();
  in.Short();
  dialog.width = in.Short();
  dialog.height = in.Short();
  in.StringOrOrdinal();  // menu
  in.StringOrOrdinal();  // window class
  dialog.caption = in.String();
  if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
    dialog.pointSize = in.Word();
    in.Word();  // weight
    in.Byte();  // italic
    in.Byte();  // character set
    dialog.fontName = in.String();
  }
  for (int i = 0; i < count && in.ok(); ++i) {
    DialogItem item;
    in.AlignDword();
    in.Dword();  // help id
    item.exStyle = in.Dword();
    item.style = in.Dword();
    item.x = in.Short();
    item.y = in.Short();
    item.width = in.Short();
    item.height = in.Short();
    item.id = static_cast<int>(static_cast<std::int32_t>(in.Dword()));
    item.className = in.StringOrOrdinal();
    item.text = in.StringOrOrdinal();
    in.Skip(in.Word());  // creation data
    dialog.items.push_back(item);
  }
  return in.ok();
}

}  // namespace ui_tests
