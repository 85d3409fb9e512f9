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
// The longest match the encoder takes without looking for a better one
// (the SDK's "fast bytes"). An entry's own stream looks further than the
// SDK's level 7 does (64): on 106 MB of DLLs 0.015% smaller for about 10%
// more time, which the entries' threads absorb. The solid stream, one
// thread's work over a 4 times larger dictionary, keeps 64.
constexpr int kLzmaEntryFastBytes = 80;
constexpr int kLzmaSolidFastBytes = 64;

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
                int fastBytes, std::vector<std::uint8_t>& out, std::string& error,
                unsigned threads = 1);

}  // namespace mksetup
