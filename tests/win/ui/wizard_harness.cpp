#include "wizard_harness.h"

#include <fstream>

namespace ui_tests {

namespace {
ScriptedWizard* g_running = nullptr;
}  // namespace

INT_PTR ScriptedWizard::Run(wizard_window::WizardWindow& window, std::function<void()> atInit,
                            std::function<void()> whenShown) {
  window_ = &window;
  atInit_ = std::move(atInit);
  whenShown_ = std::move(whenShown);
  log.clear();
  g_running = this;
  const INT_PTR result = window.Run(*this);
  g_running = nullptr;
  return result;
}

void ScriptedWizard::OnInitDialog() {
  log.push_back("init");
  if (atInit_) atInit_();
  if (!whenShown_) {
    if (endWhenDone) window_->EndWizard(wizard::DialogResult::Ok);
    return;
  }
  // A thread timer's message comes after every posted one, once the modal
  // loop has shown the window.
  ::SetTimer(nullptr, 0, 50, AfterShown);
}

void CALLBACK ScriptedWizard::AfterShown(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  ScriptedWizard* self = g_running;
  if (self == nullptr) return;
  if (self->whenShown_) self->whenShown_();
  if (self->endWhenDone) self->window_->EndWizard(wizard::DialogResult::Ok);
}

bool GuiTestsEnabled() {
  char value[8];
  const DWORD length = ::GetEnvironmentVariableA("SETUPKIT_GUI_TESTS", value, sizeof value);
  return length == 1 && value[0] == '1';
}

TempFile::TempFile(const std::string& name, const std::string& bytes) {
  char folder[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, folder);
  path_ =
      std::string(folder) + "ui_win_tests_" + std::to_string(::GetCurrentProcessId()) + "_" + name;
  std::ofstream(path_, std::ios::binary) << bytes;
}

TempFile::~TempFile() { ::DeleteFileA(path_.c_str()); }

std::string TwoColourBitmap(int width, int height, COLORREF left, COLORREF right) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = static_cast<DWORD>(stride * height);
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;

  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  for (int y = 0; y < height; ++y) {
    std::string row(static_cast<std::size_t>(stride), '\0');
    for (int x = 0; x < width; ++x) {
      const COLORREF colour = x < width / 2 ? left : right;
      row[static_cast<std::size_t>(x * 3)] = static_cast<char>(GetBValue(colour));
      row[static_cast<std::size_t>(x * 3 + 1)] = static_cast<char>(GetGValue(colour));
      row[static_cast<std::size_t>(x * 3 + 2)] = static_cast<char>(GetRValue(colour));
    }
    bytes += row;
  }
  return bytes;
}

}  // namespace ui_tests
