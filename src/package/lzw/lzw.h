// The payload's LZW streams: a 5-byte header (uncompressed size U as 32-bit
// little-endian, code width W) and fixed-width codes packed least-significant
// bit first. No clear code and no end code: the header's U ends the data and
// both sides empty the dictionary at the same fixed point when it is full.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace package {

// Code widths a stream may carry: a code shifted by up to 7 bits must fit the
// 32-bit word that is read or written. The building tool writes 16.
constexpr unsigned kLzwMinWidth = 9;
constexpr unsigned kLzwMaxWidth = 25;
constexpr unsigned kLzwDefaultWidth = 16;
constexpr std::size_t kLzwHeaderSize = 5;

enum class LzwStatus {
  Ok,
  NotBuiltIn,   // this program decodes LZMA only
  ShortHeader,  // fewer than 5 bytes
  BadWidth,     // width outside 9..25
  BadCode,      // a code beyond the next code to be created (the first code
                // must be a byte)
  Overrun,      // a string that would run past U
  Truncated,    // the stream ends before U bytes are produced
  TooLarge,     // U cannot be produced by a stream of this length (or, when
                // encoding, the input does not fit the 32-bit size field)
  WriteFailed,  // a streaming decode's output could not be written or read
                // back (the stream itself may be sound)
};

// A short English description of a status, for messages.
const char* LzwStatusText(LzwStatus status);

// Decodes one stream held in memory into output (resized to U). On any
// failure output is left empty and the status says why; the decoder never
// writes past U bytes nor reads past the stream. Neither program calls it:
// the setup program and mksetup decode through lzw_stream.h. It is the
// reference decoder that the tests, the benchmark and the fuzz target hold
// the streaming decoder and the encoder against.
LzwStatus LzwDecode(const std::uint8_t* stream, std::size_t length,
                    std::vector<std::uint8_t>& output);

// Encodes a buffer with the given code width (9..25) into stream, which holds
// exactly the stream's bytes afterwards. BadWidth or TooLarge leave it empty.
LzwStatus LzwEncode(const std::uint8_t* input, std::size_t length, unsigned width,
                    std::vector<std::uint8_t>& stream);

}  // namespace package
