#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/sim/sim_platform.h"

namespace sim {

namespace {

std::string MakeTestRoot() {
  std::error_code error;
  std::string pattern =
      (std::filesystem::temp_directory_path(error) / "setupkit-sim-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  return pattern;
}

}  // namespace

bool SimShell::CreateLink(const std::string& linkPath, const std::string& target) {
  std::FILE* file = files_.OpenFile(linkPath, "wb");
  if (file == nullptr) return false;
  const std::string body = target + "\n";
  std::fwrite(body.data(), 1, body.size(), file);
  std::fclose(file);
  links.push_back(RecordedLink{linkPath, target});
  return true;
}

bool SimShell::BrowseForFolder(const std::string& title, const std::string& startFolder,
                               std::string& chosen) {
  browseRequests.push_back({title, startFolder});
  if (browseAnswers.empty()) return false;
  const std::optional<std::string> answer = browseAnswers.front();
  browseAnswers.pop_front();
  if (!answer) return false;
  chosen = *answer;
  return true;
}

bool SimMessageBoxes::Show(platform::MessageKind kind, const std::string& text) {
  shown.push_back(RecordedMessage{kind, text});
  if (answers.empty()) return true;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

SimPlatform::SimPlatform()
    : root_(MakeTestRoot()), files(root_), machine(files), shell(files), filesInUse(files) {
  // What every Windows machine holds: the program files value that
  // ReadProgramFilesPath reads, and the folders it names.
  const std::string value = "%ProgramFiles%";
  registry.SetValue(platform::RegistryRoot::LocalMachine,
                    "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesPath",
                    platform::kRegSz, std::vector<std::uint8_t>(value.begin(), value.end()));
  std::error_code ignored;
  std::filesystem::create_directories(files.NativePath("C:\\Program Files"), ignored);
  std::filesystem::create_directories(files.NativePath("C:\\Windows\\system32"), ignored);
  files.TempFolder();
}

SimPlatform::~SimPlatform() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

bool SimPlatform::WriteFile(const std::string& windowsPath, const std::string& bytes) {
  const std::string native = files.NativePath(windowsPath);
  if (native.empty()) return false;
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(native).parent_path(), ignored);
  std::ofstream out(native, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::optional<std::string> SimPlatform::ReadFile(const std::string& windowsPath) {
  const std::string native = files.NativePath(windowsPath);
  std::error_code error;
  if (native.empty() || !std::filesystem::is_regular_file(native, error)) return std::nullopt;
  std::ifstream in(native, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace sim
