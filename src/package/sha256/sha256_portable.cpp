// The portable SHA-256 compression. The message schedule is expanded for the
// whole block first; the rounds then run eight at a time with the working
// variables renamed from one call to the next instead of shifted, so a
// round costs its arithmetic only (unless built with rolled rounds).
#include <bit>

#include "package/sha256/sha256_blocks.h"

namespace package {

const std::uint32_t kSha256RoundConstants[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2,
};

namespace {

inline std::uint32_t LoadBigEndian(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
         static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

// One round. The caller passes the eight variables in their order for this
// round; of them only d and h change (d gains T1, h becomes the new a).
inline void Round(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t& d,
                  std::uint32_t e, std::uint32_t f, std::uint32_t g, std::uint32_t& h,
                  std::uint32_t constantPlusWord) {
  const std::uint32_t sum1 = std::rotr(e, 6) ^ std::rotr(e, 11) ^ std::rotr(e, 25);
  const std::uint32_t choose = g ^ (e & (f ^ g));
  const std::uint32_t t1 = h + sum1 + choose + constantPlusWord;
  const std::uint32_t sum0 = std::rotr(a, 2) ^ std::rotr(a, 13) ^ std::rotr(a, 22);
  const std::uint32_t majority = (a & b) | (c & (a | b));
  d += t1;
  h = t1 + sum0 + majority;
}

}  // namespace

void Sha256BlocksPortable(std::uint32_t* state, const std::uint8_t* blocks, std::size_t count) {
  for (; count != 0; --count, blocks += 64) {
    std::uint32_t w[64];
    for (int i = 0; i < 16; ++i) w[i] = LoadBigEndian(blocks + 4 * i);
    for (int i = 16; i < 64; ++i) {
      const std::uint32_t s0 =
          std::rotr(w[i - 15], 7) ^ std::rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
      const std::uint32_t s1 = std::rotr(w[i - 2], 17) ^ std::rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
      w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    std::uint32_t e = state[4], f = state[5], g = state[6], h = state[7];
    const std::uint32_t* k = kSha256RoundConstants;
#ifdef SETUPKIT_SHA256_ROLLED_ROUNDS
    // The setup programs' choice (they use this only on processors without
    // the SHA instructions): one round in a loop, the variables shifted
    // after each; 0.8 KB less code for about 17% less speed.
    for (int i = 0; i < 64; ++i) {
      Round(a, b, c, d, e, f, g, h, k[i] + w[i]);
      const std::uint32_t newA = h;
      h = g;
      g = f;
      f = e;
      e = d;
      d = c;
      c = b;
      b = a;
      a = newA;
    }
#else
    for (int i = 0; i < 64; i += 8) {
      Round(a, b, c, d, e, f, g, h, k[i] + w[i]);
      Round(h, a, b, c, d, e, f, g, k[i + 1] + w[i + 1]);
      Round(g, h, a, b, c, d, e, f, k[i + 2] + w[i + 2]);
      Round(f, g, h, a, b, c, d, e, k[i + 3] + w[i + 3]);
      Round(e, f, g, h, a, b, c, d, k[i + 4] + w[i + 4]);
      Round(d, e, f, g, h, a, b, c, k[i + 5] + w[i + 5]);
      Round(c, d, e, f, g, h, a, b, k[i + 6] + w[i + 6]);
      Round(b, c, d, e, f, g, h, a, k[i + 7] + w[i + 7]);
    }
#endif
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
    state[5] += f;
    state[6] += g;
    state[7] += h;
  }
}

}  // namespace package
