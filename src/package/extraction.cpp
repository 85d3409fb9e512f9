// The extraction loop. Per entry, in archive order: the label shows the
// percentage, the file is created, the entry's bytes (decoded when the entry
// is compressed) are written, the bar moves to the same percentage. The setup
// script, once written, sets the compression switch for the entries after it.
#include <cstdio>
#include <vector>

#include "package/extraction.h"
#include "package/lzw.h"
#include "package/payload_archive.h"

namespace package {
namespace {

ExtractionResult Failure(ExtractionStatus status, std::string message) {
  ExtractionResult result;
  result.status = status;
  result.message = std::move(message);
  return result;
}

// Writes the bytes and closes the file; fclose flushes what is buffered, so
// its failure is a write failure too.
bool WriteAndClose(std::FILE* file, const std::uint8_t* data, std::size_t size) {
  const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
  const bool closed = std::fclose(file) == 0;
  return written && closed;
}

}  // namespace

ExtractionResult ExtractArchive(platform::FileSystem& files, std::span<const std::uint8_t> block,
                                std::string stagingFolder, ScriptScanner& scanner,
                                ProgressCallback progress) {
  std::vector<ArchiveEntry> entries;
  std::string error;
  if (!ReadArchiveIndex(block, entries, error)) return Failure(ExtractionStatus::DamagedArchive, error);

  if (!stagingFolder.empty() && stagingFolder.back() != '\\') stagingFolder += '\\';

  ExtractionResult result;
  bool compressionOn = true;
  std::vector<std::uint8_t> decoded;
  const std::uint64_t count = entries.size();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const ArchiveEntry& entry = entries[i];
    const auto percent = static_cast<unsigned>(100 * std::uint64_t{i} / count);
    if (progress) progress(ProgressStep::Label, percent);

    const std::string path = stagingFolder + entry.name;
    std::FILE* file = files.CreateStagedFile(path);
    if (file == nullptr) return Failure(ExtractionStatus::CannotCreate, "Cannot create file " + path);

    const bool compressed = compressionOn && !EntryStaysPlain(entry.name);
    const std::uint8_t* data = entry.data;
    std::size_t size = entry.size;
    if (compressed) {
      const LzwStatus status = LzwDecode(entry.data, entry.size, decoded);
      if (status != LzwStatus::Ok) {
        std::fclose(file);
        files.RemoveFile(path);
        return Failure(ExtractionStatus::DamagedStream,
                       "The compressed file " + path + " is damaged: " + LzwStatusText(status) + ".");
      }
      data = decoded.data();
      size = decoded.size();
    }
    const bool written = WriteAndClose(file, data, size);
    // The decoded bytes can be large; hold them no longer than needed.
    std::vector<std::uint8_t>().swap(decoded);
    if (!written) {
      files.RemoveFile(path);
      return Failure(ExtractionStatus::CannotWrite, "Cannot write file " + path);
    }
    if (progress) progress(ProgressStep::Bar, percent);

    if (IsSetupScript(entry.name)) {
      result.hasScript = true;
      result.scriptPath = path;
      compressionOn = scanner.CompressionFlag(files, path);
    }
  }

  if (result.hasScript) scanner.ImagePaths(files, result.scriptPath, result.logoPath, result.headerPath);
  return result;
}

}  // namespace package
