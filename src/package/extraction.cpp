// The extraction loop. Per entry: the label shows the percentage, the file is
// created, the entry's bytes (decoded when the entry is compressed) are
// written, the bar moves to the same percentage. The setup script, once
// written, sets the compression switch for the entries after it
// (payload_contract.h).
//
// A compressed entry decodes straight into its file through a decoder's
// window, and a decoder serves entry after entry, so the memory the
// extraction takes is that window and the dictionary, whatever the entries'
// sizes.
//
// Entries up to the last setup script go one by one, in archive order: the
// script decides how the entries after it are stored. Those are independent
// of each other, so two threads take them in turn, each with its own
// decoder; the calling thread alone reports progress (the callback may touch
// windows), in archive order. Where they must keep their order too (a solid
// LZMA stream runs through them, or two may name one file), one thread
// decodes while the calling thread writes. What a failure leaves is what it
// leaves when the entries go one by one: the entries before the failed one,
// no file of it and none after it.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "format/joined_text.h"
#include "format/windows_path.h"
#include "package/extraction.h"
#include "package/lzw/lzw.h"
#include "package/lzma/lzma_ahead.h"
#include "package/lzma/lzma_entry.h"
#include "package/lzw/lzw_stream.h"
#include "format/payload_archive.h"
#include "format/payload_contract.h"

namespace package {
namespace {

// The percentage entry i of count shows: floor(100 * i / count), in the
// target's own word (see CodeCount in lzw_decoding.h). Past 42 million
// entries on a 32-bit target it is close instead, and still below 100.
unsigned PercentOf(std::size_t i, std::size_t count) {
  if (i <= std::numeric_limits<std::size_t>::max() / 100)
    return static_cast<unsigned>(100 * i / count);
  return static_cast<unsigned>(i / (count / 100 + 1));
}

ExtractionResult Failure(ExtractionStatus status, std::string message) {
  ExtractionResult result;
  result.status = status;
  result.message = std::move(message);
  return result;
}

// What became of one entry. stream (or lzma) says why a DamagedStream
// entry did not decode.
struct EntryOutcome {
  ExtractionStatus status = ExtractionStatus::Ok;
  LzwStatus stream = LzwStatus::Ok;
  LzmaStatus lzma = LzmaStatus::Ok;
};

// A thread's decoders, kept from entry to entry. The stored bytes say which
// codec an entry takes: an LZMA mark where LZW has its code width.
struct EntryDecoders {
  LzwStreamDecoder lzw;
  LzmaEntryDecoder lzma;
  LzmaAhead* ahead = nullptr;  // LZMA entries decoded by another thread
};

// Writes one entry's bytes into its open file: decoded when the entry is
// compressed, as stored otherwise. An LZMA failure is reported as
// BadCode, with lzma saying why.
LzwStatus WriteEntry(std::FILE* file, const format::ArchiveEntry& entry, bool compressed,
                     EntryDecoders& decoders, LzmaStatus& lzma) {
  if (compressed && IsLzmaEntry(entry.data, entry.size)) {
    lzma = decoders.ahead != nullptr
               ? decoders.ahead->WriteTo(file)
               : decoders.lzma.Decode(entry.data, entry.size,
                                      [&](const std::uint8_t* data, std::size_t size) {
                                        return std::fwrite(data, 1, size, file) == size;
                                      });
    if (lzma == LzmaStatus::Ok) return LzwStatus::Ok;
    return lzma == LzmaStatus::WriteFailed ? LzwStatus::WriteFailed : LzwStatus::BadCode;
  }
  if (compressed) {
    LzwFileSink sink(file);
    return decoders.lzw.Decode(entry.data, entry.size, sink);
  }
  const bool written =
      entry.size == 0 || std::fwrite(entry.data, 1, entry.size, file) == entry.size;
  return written ? LzwStatus::Ok : LzwStatus::WriteFailed;
}

// Creates, writes and closes one entry's file. A failed entry's file, when
// it was made, is left for the caller to remove.
EntryOutcome StageEntry(platform::FileSystem& files, const std::string& path,
                        const format::ArchiveEntry& entry, bool compressed,
                        EntryDecoders& decoders) {
  // The folders of the entry's name ("plugins\png_codec.dll"), from the top:
  // made where missing, never a link or junction entered (the staging folder
  // is the elevated run's private one, so no other program makes one there).
  for (std::size_t end = path.size() - entry.name.size();
       (end = path.find('\\', end)) != std::string::npos; ++end) {
    const std::string folder(path, 0, end);
    if (!files.MakeFolder(folder) && (files.IsReparsePoint(folder) || !files.IsFolder(folder)))
      return EntryOutcome{ExtractionStatus::CannotCreate, LzwStatus::Ok};
  }
  // Opened for update: a stream whose strings reach back past the
  // decoder's window reads them back from the file.
  std::FILE* file = files.CreateStagedFile(path);
  if (file == nullptr) return EntryOutcome{ExtractionStatus::CannotCreate};
  LzmaStatus lzma = LzmaStatus::Ok;
  LzwStatus status = WriteEntry(file, entry, compressed, decoders, lzma);
  // fclose flushes what is buffered, so its failure is a write failure too.
  if (std::fclose(file) != 0 && status == LzwStatus::Ok) status = LzwStatus::WriteFailed;
  if (status == LzwStatus::Ok) return EntryOutcome{};
  if (status == LzwStatus::WriteFailed) return EntryOutcome{ExtractionStatus::CannotWrite, status};
  return EntryOutcome{ExtractionStatus::DamagedStream, status, lzma};
}

// The failed entry's file goes; the message names it.
ExtractionResult EntryFailure(platform::FileSystem& files, const EntryOutcome& outcome,
                              const std::string& path) {
  if (outcome.status == ExtractionStatus::CannotCreate)
    return Failure(outcome.status, "Cannot create file " + path);
  files.RemoveFile(path);
  if (outcome.status == ExtractionStatus::CannotWrite)
    return Failure(outcome.status, "Cannot write file " + path);
  const char* why =
      outcome.lzma != LzmaStatus::Ok ? LzmaStatusText(outcome.lzma) : LzwStatusText(outcome.stream);
  return Failure(outcome.status,
                 format::Joined({"The compressed file ", path, " is damaged: ", why, "."}));
}

// The entries up to the last setup script: they decide how the rest are stored.
std::size_t AfterLastScript(const std::vector<format::ArchiveEntry>& entries) {
  std::size_t first = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (format::IsSetupScript(entries[i].name)) first = i + 1;
  }
  return first;
}

// How many entries must go one by one: those before `first` (the one after
// the last setup script), or all of them when two entries after it could
// name one file or a solid LZMA stream runs through them. Windows compares
// names without case; beyond ASCII that depends on the system, and a name
// with a tilde can be another file's short name, so any such name keeps the
// order. Names are compared by a hash of their folded bytes: two names that
// merely share a hash also keep the order, which costs only speed.
std::size_t EntriesInOrder(const std::vector<format::ArchiveEntry>& entries, std::size_t first) {
  for (std::size_t i = first; i < entries.size(); ++i) {
    if (IsSolidLzmaEntry(entries[i].data, entries[i].size)) return entries.size();
  }
  // A second thread pays only with two entries or more.
  if (entries.size() - first < 2) return entries.size();
  std::vector<std::uint32_t> hashes(entries.size() - first);
  for (std::size_t i = first; i < entries.size(); ++i) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (const char c : entries[i].name) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte >= 0x80 || c == '~') return entries.size();
      hash = (hash ^ static_cast<unsigned char>(format::AsciiLower(c))) * 16777619u;
    }
    hashes[i - first] = hash;
  }
  // qsort: the C library's, where std::sort would add its code to the runtime.
  std::qsort(hashes.data(), hashes.size(), sizeof hashes[0], [](const void* a, const void* b) {
    const std::uint32_t x = *static_cast<const std::uint32_t*>(a);
    const std::uint32_t y = *static_cast<const std::uint32_t*>(b);
    return x < y ? -1 : x > y ? 1 : 0;
  });
  for (std::size_t i = 1; i < hashes.size(); ++i) {
    if (hashes[i] == hashes[i - 1]) return entries.size();
  }
  return first;
}

// The entries from `first` on, on two threads (see the top of the file).
class TwoThreadStaging {
 public:
  TwoThreadStaging(platform::FileSystem& files, const std::vector<format::ArchiveEntry>& entries,
                   const std::string& folder, const format::CompressionSwitch& compression,
                   ProgressCallback progress, std::size_t first)
      : files_(files),
        entries_(entries),
        folder_(folder),
        compression_(compression),
        progress_(progress),
        states_(entries.size()),
        next_(first),
        reported_(first) {
    // Set here rather than by a member initialiser: GCC copies an array of
    // initialised members from a template it keeps in .data, a section of
    // its own in the program.
    failures_[0].index = failures_[1].index = kNone;
  }

  ExtractionResult Run(platform::Threads& threads, EntryDecoders& decoder) {
    EntryDecoders besideDecoder;
    threads.RunBeside([&] { Work(besideDecoder, failures_[1], false); },
                      [&] { Work(decoder, failures_[0], true); });
    ReportWritten();
    const Failed& failed = failures_[0].index < failures_[1].index ? failures_[0] : failures_[1];
    if (failed.index == kNone) return ExtractionResult{};
    // Every entry before it is written, so it is the next to report.
    if (!labelled_) Report(ProgressStep::Label, failed.index);
    for (std::size_t i = failed.index + 1; i < entries_.size(); ++i) {
      if (states_[i].load() == State::Written) files_.RemoveFile(PathOf(i));
    }
    return EntryFailure(files_, failed.outcome, PathOf(failed.index));
  }

 private:
  enum class State : unsigned char { Waiting, Written, Failed };
  static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
  struct Failed {
    std::size_t index;  // kNone until the thread fails
    EntryOutcome outcome;
  };

  std::string PathOf(std::size_t i) const { return folder_ + entries_[i].name; }

  void Report(ProgressStep step, std::size_t i) {
    if (progress_) progress_(step, PercentOf(i, entries_.size()));
  }

  // The calling thread's: label and bar of every entry written whose
  // predecessors are all written.
  void ReportWritten() {
    while (reported_ < entries_.size() &&
           states_[reported_].load(std::memory_order_acquire) == State::Written) {
      if (!labelled_) Report(ProgressStep::Label, reported_);
      Report(ProgressStep::Bar, reported_);
      ++reported_;
      labelled_ = false;
    }
  }

  // Takes entries until none is left or one has failed.
  void Work(EntryDecoders& decoder, Failed& failure, bool reports) {
    while (!stop_.load()) {
      const std::size_t i = next_.fetch_add(1);
      if (i >= entries_.size()) return;
      if (reports) {
        ReportWritten();
        if (reported_ == i) {
          Report(ProgressStep::Label, i);
          labelled_ = true;
        }
      }
      const format::ArchiveEntry& entry = entries_[i];
      const EntryOutcome outcome =
          StageEntry(files_, PathOf(i), entry, compression_.Compresses(entry.name), decoder);
      const bool ok = outcome.status == ExtractionStatus::Ok;
      states_[i].store(ok ? State::Written : State::Failed, std::memory_order_release);
      if (!ok) {
        failure = Failed{i, outcome};
        stop_.store(true);
        return;
      }
      if (reports) ReportWritten();
    }
  }

  platform::FileSystem& files_;
  const std::vector<format::ArchiveEntry>& entries_;
  const std::string& folder_;
  const format::CompressionSwitch& compression_;
  ProgressCallback progress_;
  std::vector<std::atomic<State>> states_;
  std::atomic<std::size_t> next_;  // the next entry to take
  std::atomic<bool> stop_{false};
  Failed failures_[2];     // each thread's, written by that thread only
  std::size_t reported_;   // the calling thread's: the next entry to report
  bool labelled_ = false;  // whether that entry's label is shown
};

}  // namespace

ExtractionResult ExtractArchive(platform::FileSystem& files, platform::Threads& threads,
                                std::span<const std::uint8_t> block, std::string stagingFolder,
                                ScriptScanner& scanner, ProgressCallback progress) {
  std::vector<format::ArchiveEntry> entries;
  std::string error;
  if (!format::ReadArchiveIndex(block, entries, error))
    return Failure(ExtractionStatus::DamagedArchive, error);

  stagingFolder = format::WithTrailingSeparator(stagingFolder);

  ExtractionResult result;
  format::CompressionSwitch compression;
  EntryDecoders decoder;
  // Entries one by one; false, with result the failure, when one fails.
  const auto stageInOrder = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
      const format::ArchiveEntry& entry = entries[i];
      const unsigned percent = PercentOf(i, entries.size());
      if (progress) progress(ProgressStep::Label, percent);

      const std::string path = stagingFolder + entry.name;
      const EntryOutcome outcome =
          StageEntry(files, path, entry, compression.Compresses(entry.name), decoder);
      if (outcome.status != ExtractionStatus::Ok) {
        result = EntryFailure(files, outcome, path);
        return false;
      }
      if (progress) progress(ProgressStep::Bar, percent);

      if (format::IsSetupScript(entry.name)) {
        result.hasScript = true;
        result.scriptPath = path;
      }
      compression.AfterEntry(entry.name, [&] { return scanner.CompressionFlag(files, path); });
    }
    return true;
  };
  const std::size_t afterScript = AfterLastScript(entries);
  const std::size_t inOrder = EntriesInOrder(entries, afterScript);
  if (!stageInOrder(0, afterScript)) return result;
  // The entries after the script that keep their order: their LZMA entries
  // decoded on a second thread while this one writes, where they suit that.
  bool staged = false;  // by the two threads
  if (afterScript < inOrder) {
    LzmaAhead ahead(threads, entries, compression, afterScript);
    decoder.ahead = &ahead;
    const bool both =
        ahead.Run(decoder.lzma, [&] { return staged = stageInOrder(afterScript, inOrder); });
    decoder.ahead = nullptr;
    if (both && !staged) return result;
  }
  if (!staged && !stageInOrder(afterScript, inOrder)) return result;
  // A solid stream whose head promised more than its members took.
  if (decoder.lzma.SolidUnfinished()) {
    return Failure(ExtractionStatus::DamagedStream,
                   "The solid LZMA stream ends with bytes no entry takes.");
  }
  if (inOrder < entries.size()) {
    TwoThreadStaging rest(files, entries, stagingFolder, compression, progress, inOrder);
    ExtractionResult failed = rest.Run(threads, decoder);
    if (failed.status != ExtractionStatus::Ok) return failed;
  }

  if (result.hasScript)
    scanner.ImagePaths(files, result.scriptPath, result.logoPath, result.headerPath);
  return result;
}

}  // namespace package
