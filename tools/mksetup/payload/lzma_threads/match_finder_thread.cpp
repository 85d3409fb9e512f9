// The LZMA encoder's match finder on a thread of its own (LzFindMt.h).
//
// The thread runs the SDK's single-threaded finder over the input and, for
// every position in order, writes a record: the bytes available from there
// (what GetNumAvailableBytes would say) and the matches (what GetMatches
// would write). The encoder's calls replay the records. The finder inserts
// each position into its binary tree the same way whether it is asked for
// matches or told to skip, so the records are what the encoder would have
// got on its own thread, and the output bytes are the same.
//
// The encoder also reads the input itself, behind the current position as
// far as the dictionary reaches and ahead of it as far as the available
// bytes it was told. The thread passes on each piece of input it reads in
// the block of records made after it, and the encoder's side keeps its own
// window of them: the two sides never share a buffer that moves.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include "mksetup/payload/lzma_threads/LzFindMt.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <new>
#include <vector>

#include "mksetup/host/ordered_work.h"

#if MKSETUP_HAS_THREADS
namespace mksetup {
namespace {

// Records are handed over in blocks of this many words, at most this many
// blocks ahead of the encoder.
constexpr std::size_t kBlockWords = std::size_t{1} << 18;
constexpr std::size_t kBlocksAhead = 4;
// The finder reads its input in pieces of at most this size, so that a
// block carries little of it and the encoder's window stays small.
constexpr std::size_t kLargestRead = std::size_t{1} << 20;

struct Block {
  std::vector<Byte> input;    // read before the records that follow need it
  std::vector<UInt32> words;  // per position: available, count, count words
  std::size_t used = 0;
  bool last = false;
  SRes result = SZ_OK;  // the finder's reading, with the last block
};

class FinderThread {
 public:
  // settings: the encoder's finder (tree, hash bytes, cut value, stream).
  SRes Create(CMatchFinder& settings, UInt32 history, UInt32 before, UInt32 matchMaxLen,
              UInt32 after, ISzAlloc* alloc) {
    settings_ = &settings;
    finder_.btMode = settings.btMode;
    finder_.numHashBytes = settings.numHashBytes;
    finder_.cutValue = settings.cutValue;
    finder_.bigHash = settings.bigHash;
    if (!MatchFinder_Create(&finder_, history, before, matchMaxLen, after, alloc)) {
      return SZ_ERROR_MEM;
    }
    MatchFinder_CreateVTable(&finder_, &calls_);
    source_ = settings.stream;
    finder_.stream = &tap_.base;
    recordWords_ = 2 + 2 * std::size_t{matchMaxLen} + 8;
    keepBefore_ = std::size_t{history} + before + 1;
    settings.result = SZ_OK;
    try {
      // Room beyond what must be kept, as the SDK's finder has, so that
      // the window moves its bytes down seldom.
      window_.resize(keepBefore_ + history / 2 + 2 * kLargestRead);
      filling_ = NewBlock();
      worker_ = std::thread([this] { Work(); });
    } catch (...) {
      return SZ_ERROR_THREAD;
    }
    return SZ_OK;
  }

  void Stop() {
    if (worker_.joinable()) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
      }
      changed_.notify_all();
      worker_.join();
    }
  }

  void Free(ISzAlloc* alloc) {
    Stop();
    MatchFinder_Free(&finder_, alloc);
  }

  FinderThread() { MatchFinder_Construct(&finder_); }

  // The encoder's side: the IMatchFinder calls.
  UInt32 Available() { return NextRecord() ? current_.words[at_] : 0; }
  Byte IndexByte(Int32 index) const {
    return window_[static_cast<std::size_t>(static_cast<std::ptrdiff_t>(pos_) + index)];
  }
  const Byte* Current() const { return window_.data() + pos_; }

  UInt32 Matches(UInt32* distances) {
    if (!TakeRecord()) return 0;
    const UInt32 count = current_.words[at_ + 1];
    std::memcpy(distances, current_.words.data() + at_ + 2, count * sizeof(UInt32));
    at_ += 2 + count;
    return count;
  }

  void Skip(UInt32 positions) {
    while (positions-- > 0 && TakeRecord()) at_ += 2 + current_.words[at_ + 1];
  }

 private:
  struct Tap {
    ISeqInStream base;
    FinderThread* self;
  };

  static SRes TapRead(void* p, void* data, size_t* size) {
    FinderThread& self = *static_cast<Tap*>(p)->self;
    *size = std::min(*size, kLargestRead);
    const SRes result = self.source_->Read(self.source_, data, size);
    if (result == SZ_OK) {
      const auto* bytes = static_cast<const Byte*>(data);
      self.filling_.input.insert(self.filling_.input.end(), bytes, bytes + *size);
    }
    return result;
  }

  Block NewBlock() {
    Block block;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!spare_.empty()) {
        block = std::move(spare_.back());
        spare_.pop_back();
      }
    }
    block.input.clear();
    block.input.reserve(kLargestRead);
    block.words.resize(kBlockWords);
    block.used = 0;
    return block;
  }

  // Hands the filled block over; false when the encoder has stopped.
  bool Publish() {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [&] { return stop_ || ready_.size() < kBlocksAhead; });
      if (stop_) return false;
      ready_.push_back(std::move(filling_));
    }
    changed_.notify_all();
    return true;
  }

  void Work() {
    calls_.Init(&finder_);
    for (;;) {
      const UInt32 available = calls_.GetNumAvailableBytes(&finder_);
      if (available == 0) break;
      if (filling_.used + recordWords_ > filling_.words.size()) {
        if (!Publish()) return;
        filling_ = NewBlock();
      }
      UInt32* record = filling_.words.data() + filling_.used;
      record[0] = available;
      record[1] = calls_.GetMatches(&finder_, record + 2);
      filling_.used += 2 + record[1];
    }
    filling_.last = true;
    filling_.result = finder_.result;
    Publish();
  }

  // Makes current_.words[at_] the next position's record; false at the end.
  bool NextRecord() {
    while (at_ == current_.used) {
      if (current_.last) {
        settings_->result = current_.result;
        return false;
      }
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [&] { return !ready_.empty(); });
      spare_.push_back(std::move(current_));
      current_ = std::move(ready_.front());
      ready_.pop_front();
      lock.unlock();
      changed_.notify_all();
      at_ = 0;
      inputPending_ = true;
    }
    return true;
  }

  // As NextRecord, then moves on to the position after it. The window only
  // changes here: the encoder holds no pointer into it across these calls.
  bool TakeRecord() {
    if (!NextRecord()) return false;
    if (inputPending_) {
      Append(current_.input);
      inputPending_ = false;
    }
    ++pos_;
    return true;
  }

  void Append(const std::vector<Byte>& input) {
    if (filled_ + input.size() > window_.size()) {
      // Keep what the encoder may still read behind the position being
      // taken: the dictionary and its look-back, as the SDK's finder does.
      const std::size_t keepFrom = pos_ > keepBefore_ ? pos_ - keepBefore_ : 0;
      std::memmove(window_.data(), window_.data() + keepFrom, filled_ - keepFrom);
      pos_ -= keepFrom;
      filled_ -= keepFrom;
      if (filled_ + input.size() > window_.size()) window_.resize(filled_ + input.size());
    }
    std::copy(input.begin(), input.end(), window_.begin() + static_cast<std::ptrdiff_t>(filled_));
    filled_ += input.size();
  }

  // The thread's side.
  CMatchFinder finder_;
  IMatchFinder calls_{};
  ISeqInStream* source_ = nullptr;
  Tap tap_{{TapRead}, this};
  Block filling_;
  std::size_t recordWords_ = 0;

  // Shared, under mutex_.
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Block> ready_;
  std::vector<Block> spare_;
  bool stop_ = false;
  std::thread worker_;

  // The encoder's side.
  CMatchFinder* settings_ = nullptr;
  Block current_;
  std::size_t at_ = 0;
  bool inputPending_ = false;
  std::vector<Byte> window_;
  std::size_t keepBefore_ = 0;
  std::size_t pos_ = 0;  // the encoder's current position in window_
  std::size_t filled_ = 0;
};

FinderThread& Of(void* p) {
  return *static_cast<FinderThread*>(static_cast<CMatchFinderMt*>(p)->thread);
}

// The encoder's Init comes after Create, which has started the thread.
void Init(void*) {}
Byte GetIndexByte(void* p, Int32 index) { return Of(p).IndexByte(index); }
UInt32 GetNumAvailableBytes(void* p) { return Of(p).Available(); }
const Byte* GetPointerToCurrentPos(void* p) { return Of(p).Current(); }
UInt32 GetMatches(void* p, UInt32* distances) { return Of(p).Matches(distances); }
void Skip(void* p, UInt32 positions) { Of(p).Skip(positions); }

}  // namespace
}  // namespace mksetup

extern "C" {

void MatchFinderMt_Construct(CMatchFinderMt* p) { p->thread = nullptr; }

void MatchFinderMt_Destruct(CMatchFinderMt* p, ISzAlloc* alloc) {
  auto* thread = static_cast<mksetup::FinderThread*>(p->thread);
  if (thread == nullptr) return;
  thread->Free(alloc);
  delete thread;
  p->thread = nullptr;
}

SRes MatchFinderMt_Create(CMatchFinderMt* p, UInt32 historySize, UInt32 keepAddBufferBefore,
                          UInt32 matchMaxLen, UInt32 keepAddBufferAfter, ISzAlloc* alloc) {
  MatchFinderMt_Destruct(p, alloc);
  auto* thread = new (std::nothrow) mksetup::FinderThread;
  if (thread == nullptr) return SZ_ERROR_MEM;
  p->thread = thread;
  return thread->Create(*p->MatchFinder, historySize, keepAddBufferBefore, matchMaxLen,
                        keepAddBufferAfter, alloc);
}

void MatchFinderMt_CreateVTable(CMatchFinderMt*, IMatchFinder* vTable) {
  vTable->Init = mksetup::Init;
  vTable->GetIndexByte = mksetup::GetIndexByte;
  vTable->GetNumAvailableBytes = mksetup::GetNumAvailableBytes;
  vTable->GetPointerToCurrentPos = mksetup::GetPointerToCurrentPos;
  vTable->GetMatches = mksetup::GetMatches;
  vTable->Skip = mksetup::Skip;
}

void MatchFinderMt_ReleaseStream(CMatchFinderMt* p) {
  if (p->thread != nullptr) static_cast<mksetup::FinderThread*>(p->thread)->Stop();
}
}

#else
// Without threads the encoder is never asked for a threaded finder.
extern "C" {
void MatchFinderMt_Construct(CMatchFinderMt* p) { p->thread = nullptr; }
void MatchFinderMt_Destruct(CMatchFinderMt*, ISzAlloc*) {}
SRes MatchFinderMt_Create(CMatchFinderMt*, UInt32, UInt32, UInt32, UInt32, ISzAlloc*) {
  return SZ_ERROR_THREAD;
}
void MatchFinderMt_CreateVTable(CMatchFinderMt*, IMatchFinder*) {}
void MatchFinderMt_ReleaseStream(CMatchFinderMt*) {}
}
#endif
