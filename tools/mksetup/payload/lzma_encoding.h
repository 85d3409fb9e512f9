// LZMA encoding for the payload's LZMA entries (package/lzma/lzma_entry.h),
// through the LZMA SDK's encoder (LzmaEnc.c, as Debian's lzma-dev ships it):
// the same SDK as the setup program's decoder, compiled from where the
// package puts it for mksetup's Linux and Windows builds alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "package/lzma/lzma_entry.h"

namespace mksetup {

// The dictionary of an entry's own stream and of a solid stream. The
// setup program's window is the dictionary, or the stream's size when that
// is smaller. 8 MB is what most installers' LZMA takes; a solid stream
// shares what files have in common across a longer reach.
constexpr std::uint32_t kLzmaEntryDictionary = std::uint32_t{8} << 20;
constexpr std::uint32_t kLzmaSolidDictionary = std::uint32_t{32} << 20;
// How a stream models its input: the literal context (the SDK's lc and lp),
// the position bits (pb), and the longest match the encoder takes without
// looking for a better one (its "fast bytes").
struct LzmaModel {
  int literalContextBits;
  int literalPositionBits;
  int positionBits;
  int fastBytes;
};
// Most files: the SDK's lc 3, lp 0, pb 2, good for mixed data, and 80 fast
// bytes rather than its level 7's 64: a little smaller (0.1% on C headers)
// for a little more time.
constexpr LzmaModel kLzmaEntryModel{3, 0, 2, 80};
// Programs (files that begin "MZ"): x86 and x64 instructions start at any
// byte and depend little on the byte before, so lc 2, pb 1. On Wine's i386
// DLLs that is 0.4% smaller, which pays for 40 fast bytes (about a tenth
// less time) and still leaves them 0.3% smaller; on its x64 DLLs 0.35%
// smaller, and 0.07% with 40 fast bytes.
constexpr LzmaModel kLzmaProgramModel{2, 0, 1, 40};
// The solid stream, one thread's work over a four times larger dictionary,
// keeps the SDK's level 7 fast bytes (64), with the programs' lc 2, pb 1
// where programs make up most of its bytes (0.55% smaller on the i386 DLLs).
constexpr LzmaModel kLzmaSolidModel{3, 0, 2, 64};
constexpr LzmaModel kLzmaSolidProgramModel{2, 0, 1, 64};

// Whether a file's first bytes are a program's: "MZ", as every Windows
// executable and library begins.
bool BeginsLikeProgram(const std::uint8_t* data, std::size_t size);

// The model for an entry's own stream, from the file's first bytes.
const LzmaModel& LzmaModelFor(const std::uint8_t* data, std::size_t size);

// Gives the next input bytes into data (at most size of them) and sets
// size to how many; 0 at the end. false stops the encoding (error says why).
using LzmaReader = std::function<bool(std::uint8_t* data, std::size_t& size)>;

// Encodes everything read gives (sizeHint bytes, which trims the
// dictionary to the input) and appends to out the 5 bytes of properties
// followed by the raw stream, without an end mark. Deterministic: the same
// input gives the same bytes, on one thread or two. With threads > 1 (where
// there are threads) the match finder runs on a thread of its own, and read
// is called on that thread. On failure error says why.
bool LzmaEncode(const LzmaReader& read, std::uint64_t sizeHint, std::uint32_t dictionary,
                const LzmaModel& model, std::vector<std::uint8_t>& out, std::string& error,
                unsigned threads = 1);

}  // namespace mksetup
