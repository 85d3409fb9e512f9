#include "package/lzw/lzw_dictionary.h"

#include <algorithm>

namespace package {

void LzwDictionary::Reset(unsigned width, std::size_t length) {
  m_codeLimit = std::uint32_t{1} << width;
  // One entry at most per input byte, and never more than the codes allow.
  const std::size_t entries = std::min<std::size_t>(m_codeLimit - kFirstCode, length);
  unsigned bits = 10;
  while ((std::size_t{1} << bits) < 2 * entries) ++bits;
  if (m_slots.size() < (std::size_t{1} << bits)) {
    m_slots.assign(std::size_t{1} << bits, 0);
  } else {
    // A larger table kept from before: use all of it, fewer probes.
    while ((std::size_t{1} << bits) < m_slots.size()) ++bits;
  }
  m_mask = (std::size_t{1} << bits) - 1;
  m_shift = 64 - bits;
  if (m_slotOf.size() < entries) m_slotOf.resize(entries);
  Clear();
  m_longestProbe = 0;
}

void LzwDictionary::Clear() {
  for (std::uint32_t i = 0; i < m_nextCode - kFirstCode; ++i) {
    const std::uint32_t slot = m_slotOf[i];
    if (slot & kPairSlot) {
      m_pairs[slot & ~kPairSlot] = 0;
    } else {
      m_slots[slot] = 0;
    }
  }
  m_nextCode = kFirstCode;
}

}  // namespace package
