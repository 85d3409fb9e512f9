// The extraction loop. Per entry, in archive order: the label shows the
// percentage, the file is created, the entry's bytes (decoded when the entry
// is compressed) are written, the bar moves to the same percentage. The setup
// script, once written, sets the compression switch for the entries after it
// (payload_contract.h).
//
// A compressed entry decodes straight into its file through the decoder's
// window; one decoder serves every entry, so the memory the extraction takes
// is that window and the dictionary, whatever the entries' sizes.
#include <cstdio>
#include <vector>

#include "package/extraction.h"
#include "package/lzw.h"
#include "package/lzw_stream.h"
#include "package/payload_archive.h"
#include "package/payload_contract.h"

namespace package {
namespace {

ExtractionResult Failure(ExtractionStatus status, std::string message) {
  ExtractionResult result;
  result.status = status;
  result.message = std::move(message);
  return result;
}

// Writes one entry's bytes into its open file: decoded through the decoder
// when the entry is compressed, as stored otherwise.
LzwStatus WriteEntry(std::FILE* file, const ArchiveEntry& entry, bool compressed,
                     LzwStreamDecoder& decoder) {
  if (compressed) {
    LzwFileSink sink(file);
    return decoder.Decode(entry.data, entry.size, sink);
  }
  const bool written =
      entry.size == 0 || std::fwrite(entry.data, 1, entry.size, file) == entry.size;
  return written ? LzwStatus::Ok : LzwStatus::WriteFailed;
}

}  // namespace

ExtractionResult ExtractArchive(platform::FileSystem& files, std::span<const std::uint8_t> block,
                                std::string stagingFolder, ScriptScanner& scanner,
                                ProgressCallback progress) {
  std::vector<ArchiveEntry> entries;
  std::string error;
  if (!ReadArchiveIndex(block, entries, error))
    return Failure(ExtractionStatus::DamagedArchive, error);

  if (!stagingFolder.empty() && stagingFolder.back() != '\\') stagingFolder += '\\';

  ExtractionResult result;
  CompressionSwitch compression;
  LzwStreamDecoder decoder;
  const std::uint64_t count = entries.size();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const ArchiveEntry& entry = entries[i];
    const auto percent = static_cast<unsigned>(100 * std::uint64_t{i} / count);
    if (progress) progress(ProgressStep::Label, percent);

    // Opened for update: a stream whose strings reach back past the
    // decoder's window reads them back from the file.
    const std::string path = stagingFolder + entry.name;
    std::FILE* file = files.CreateStagedFile(path);
    if (file == nullptr)
      return Failure(ExtractionStatus::CannotCreate, "Cannot create file " + path);

    const bool compressed = compression.Compresses(entry.name);
    LzwStatus status = WriteEntry(file, entry, compressed, decoder);
    // fclose flushes what is buffered, so its failure is a write failure too.
    if (std::fclose(file) != 0 && status == LzwStatus::Ok) status = LzwStatus::WriteFailed;
    if (status != LzwStatus::Ok) {
      files.RemoveFile(path);
      if (status == LzwStatus::WriteFailed)
        return Failure(ExtractionStatus::CannotWrite, "Cannot write file " + path);
      return Failure(ExtractionStatus::DamagedStream,
                     "The compressed file " + path + " is damaged: " + LzwStatusText(status) + ".");
    }
    if (progress) progress(ProgressStep::Bar, percent);

    if (IsSetupScript(entry.name)) {
      result.hasScript = true;
      result.scriptPath = path;
    }
    compression.AfterEntry(entry.name, [&] { return scanner.CompressionFlag(files, path); });
  }

  if (result.hasScript)
    scanner.ImagePaths(files, result.scriptPath, result.logoPath, result.headerPath);
  return result;
}

}  // namespace package
