// The SHA-256 compression on the x86 SHA instructions (SHA-NI), 32- and
// 64-bit, and the CPUID check that says whether the processor has them. The
// functions carry their own target attributes, so the rest of the program
// stays buildable for, and runnable on, processors without them.
#include "package/sha256/sha256_blocks.h"

#if defined(__i386__) || defined(__x86_64__)

#include <cpuid.h>
#include <immintrin.h>

namespace package {

bool HasSha256Instructions() {
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (__get_cpuid(1, &a, &b, &c, &d) == 0) return false;
  const bool ssse3 = (c & bit_SSSE3) != 0;
  const bool sse41 = (c & bit_SSE4_1) != 0;
  if (__get_cpuid_count(7, 0, &a, &b, &c, &d) == 0) return false;
  return ssse3 && sse41 && (b & bit_SHA) != 0;
}

// The instructions keep the state as two vectors, ABEF and CDGH, and run
// two rounds a step; a group of four rounds takes one vector of the
// schedule, which sha256msg1/msg2 extend four words at a time.
__attribute__((target("sha,sse4.1,ssse3"))) void Sha256BlocksX86(std::uint32_t* state,
                                                                 const std::uint8_t* blocks,
                                                                 std::size_t count) {
  const __m128i byteSwap = _mm_set_epi64x(0x0c0d0e0f08090a0bLL, 0x0405060700010203LL);
  __m128i dcba = _mm_loadu_si128(reinterpret_cast<const __m128i*>(state));
  __m128i hgfe = _mm_loadu_si128(reinterpret_cast<const __m128i*>(state + 4));
  const __m128i cdab = _mm_shuffle_epi32(dcba, 0xB1);
  const __m128i efgh = _mm_shuffle_epi32(hgfe, 0x1B);
  __m128i abef = _mm_alignr_epi8(cdab, efgh, 8);
  __m128i cdgh = _mm_blend_epi16(efgh, cdab, 0xF0);

  for (; count != 0; --count, blocks += 64) {
    const __m128i abefBefore = abef;
    const __m128i cdghBefore = cdgh;
    __m128i w[4];
    for (int group = 0; group < 16; ++group) {
      __m128i& words = w[group & 3];
      if (group < 4) {
        words = _mm_shuffle_epi8(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(blocks + 16 * group)), byteSwap);
      } else {
        // W[t-16] + s0(W[t-15]), then + W[t-7], then + s1(W[t-2]).
        const __m128i& previous = w[(group - 1) & 3];
        words = _mm_sha256msg1_epu32(words, w[(group - 3) & 3]);
        words = _mm_add_epi32(words, _mm_alignr_epi8(previous, w[(group - 2) & 3], 4));
        words = _mm_sha256msg2_epu32(words, previous);
      }
      __m128i message = _mm_add_epi32(
          words,
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(kSha256RoundConstants + 4 * group)));
      cdgh = _mm_sha256rnds2_epu32(cdgh, abef, message);
      message = _mm_shuffle_epi32(message, 0x0E);
      abef = _mm_sha256rnds2_epu32(abef, cdgh, message);
    }
    abef = _mm_add_epi32(abef, abefBefore);
    cdgh = _mm_add_epi32(cdgh, cdghBefore);
  }

  const __m128i feba = _mm_shuffle_epi32(abef, 0x1B);
  const __m128i dchg = _mm_shuffle_epi32(cdgh, 0xB1);
  dcba = _mm_blend_epi16(feba, dchg, 0xF0);
  hgfe = _mm_alignr_epi8(dchg, feba, 8);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(state), dcba);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(state + 4), hgfe);
}

}  // namespace package

#else

namespace package {

bool HasSha256Instructions() { return false; }
void Sha256BlocksX86(std::uint32_t*, const std::uint8_t*, std::size_t) {}

}  // namespace package

#endif
