// The LZW encoder's dictionary: each entry is a string already in it (or a
// single byte) followed by one byte, so an entry is named by the pair (code
// of that string, byte) and maps to its own code. Codes are handed out in
// order from 256 until 2^width are in use; then the encoder empties it.
//
// Pairs that start from a single byte (the first step of every match, and
// the most frequent lookups) have a slot each in a table of 65,536. Longer
// ones go into an open-addressing hash table with linear probing, sized to
// at least twice the entries it can hold so that probes stay short. Both
// tables are kept from one input to the next, and emptying clears only the
// slots the entries took, so a lookup and an insertion allocate nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace package {

class LzwDictionary {
 public:
  // Readies the dictionary for codes of `width` bits and an input of
  // `length` bytes (which bounds how many entries can be made), empty.
  void Reset(unsigned width, std::size_t length);

  // Finds the entry (prefix, byte) and returns true with its code; when it
  // is absent, adds it with the next code and returns false. prefix is a
  // byte (0..255) or a code the dictionary handed out.
  // Defined here: it runs once per input byte and must inline.
  bool FindOrAdd(std::uint32_t prefix, std::uint8_t byte, std::uint32_t& code) {
    if (prefix < kFirstCode) {
      std::uint32_t& pair = m_pairs[prefix << 8 | byte];
      if (pair != 0) {
        code = pair;
        return true;
      }
      pair = m_nextCode;
      m_slotOf[m_nextCode - kFirstCode] = (prefix << 8 | byte) | kPairSlot;
      ++m_nextCode;
      return false;
    }
    const std::uint64_t key = std::uint64_t{prefix} << 8 | byte;
    std::size_t slot = static_cast<std::size_t>((key * kHashMultiplier) >> m_shift);
    std::size_t probes = 1;
    for (;; slot = (slot + 1) & m_mask, ++probes) {
      const std::uint64_t held = m_slots[slot];
      if (held == 0) break;
      if ((held & kKeyMask) == key) {
        code = static_cast<std::uint32_t>(held >> kKeyBits);
        return true;
      }
    }
    m_slots[slot] = key | std::uint64_t{m_nextCode} << kKeyBits;
    m_slotOf[m_nextCode - kFirstCode] = static_cast<std::uint32_t>(slot);
    ++m_nextCode;
    if (probes > m_longestProbe) m_longestProbe = probes;
    return false;
  }

  bool Full() const { return m_nextCode == m_codeLimit; }
  std::uint32_t NextCode() const { return m_nextCode; }

  // Removes every entry; the next code is 256 again.
  void Clear();

  // The most slots a lookup has probed in the hash table since Reset: how
  // well the hash spreads the keys.
  std::size_t LongestProbe() const { return m_longestProbe; }

 private:
  static constexpr std::uint32_t kFirstCode = 256;
  // Fibonacci hashing: the key times 2^64 / golden ratio, top bits. Keys
  // that differ in their last byte only (the extensions of one string) or in
  // their prefix only (one byte after many strings) land far apart.
  static constexpr std::uint64_t kHashMultiplier = 0x9E3779B97F4A7C15u;
  static constexpr unsigned kKeyBits = 33;
  static constexpr std::uint64_t kKeyMask = (std::uint64_t{1} << kKeyBits) - 1;
  // Entries whose slot is in the pair table carry this bit in m_slotOf.
  static constexpr std::uint32_t kPairSlot = 0x80000000u;

  std::vector<std::uint32_t> m_pairs = std::vector<std::uint32_t>(65536, 0);  // code, 0 when absent
  // A hash slot holds key | code << 33 (key = prefix << 8 | byte, at most
  // 33 bits and never 0 there, since its prefix is a code of 256 or more);
  // 0 is an empty slot.
  std::vector<std::uint64_t> m_slots;
  std::size_t m_mask = 0;               // the hash table's size less one
  unsigned m_shift = 0;                 // 64 less the table's size in bits
  std::vector<std::uint32_t> m_slotOf;  // per entry, the slot it took
  std::uint32_t m_codeLimit = 0;
  std::uint32_t m_nextCode = kFirstCode;
  std::size_t m_longestProbe = 0;
};

}  // namespace package
