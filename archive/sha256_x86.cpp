// The SHA-256 block function on the x86 SHA extensions, and the run-time test for them.
// Only this function is compiled for those instructions; the rest of the program stays
// runnable on any x86 processor.
#include "archive/sha256.h"

#if defined(__x86_64__) || defined(__i386__)

#include <cpuid.h>
#include <immintrin.h>

#include "archive/sha256_rounds.h"

namespace sha256 {

namespace {

#define QX_SHA_TARGET __attribute__((target("sha,sse4.1")))

// Lanes of the message words and of the state as the instructions want them: the
// instructions keep the state as ABEF and CDGH, the words big-endian in each lane.
QX_SHA_TARGET inline __m128i LoadWords(const std::uint8_t* bytes) {
  const __m128i byteSwap = _mm_set_epi64x(0x0c0d0e0f08090a0bll, 0x0405060700010203ll);
  return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes)), byteSwap);
}

// Rounds 4 * group to 4 * group + 3.
QX_SHA_TARGET inline void FourRounds(__m128i& abef, __m128i& cdgh, __m128i words, int group) {
  const __m128i input =
      _mm_add_epi32(words, _mm_load_si128(reinterpret_cast<const __m128i*>(kRound + 4 * group)));
  cdgh = _mm_sha256rnds2_epu32(cdgh, abef, input);
  abef = _mm_sha256rnds2_epu32(abef, cdgh, _mm_shuffle_epi32(input, 0x0E));
}

// Completes the next group's words: next already holds msg1(next-4, next-3) and needs the
// words 7 back (from current and previous) and msg2 with the current group.
QX_SHA_TARGET inline void FinishSchedule(__m128i& next, __m128i current, __m128i previous) {
  next = _mm_sha256msg2_epu32(_mm_add_epi32(next, _mm_alignr_epi8(current, previous, 4)), current);
}

QX_SHA_TARGET void ExtensionBlocks(std::uint32_t* state, const std::uint8_t* blocks, std::size_t blockCount) {
  const __m128i dcba = _mm_loadu_si128(reinterpret_cast<const __m128i*>(state));
  const __m128i hgfe = _mm_loadu_si128(reinterpret_cast<const __m128i*>(state + 4));
  const __m128i cdab = _mm_shuffle_epi32(dcba, 0xB1);
  const __m128i efgh = _mm_shuffle_epi32(hgfe, 0x1B);
  __m128i abef = _mm_alignr_epi8(cdab, efgh, 8);
  __m128i cdgh = _mm_blend_epi16(efgh, cdab, 0xF0);

  for (; blockCount > 0; --blockCount, blocks += 64) {
    const __m128i abefBefore = abef;
    const __m128i cdghBefore = cdgh;
    // m0..m3 hold the words of groups g, g+1, g+2, g+3 in turn (a ring of four).
    __m128i m0 = LoadWords(blocks);
    FourRounds(abef, cdgh, m0, 0);
    __m128i m1 = LoadWords(blocks + 16);
    FourRounds(abef, cdgh, m1, 1);
    m0 = _mm_sha256msg1_epu32(m0, m1);
    __m128i m2 = LoadWords(blocks + 32);
    FourRounds(abef, cdgh, m2, 2);
    m1 = _mm_sha256msg1_epu32(m1, m2);
    __m128i m3 = LoadWords(blocks + 48);
    FourRounds(abef, cdgh, m3, 3);
    FinishSchedule(m0, m3, m2);
    m2 = _mm_sha256msg1_epu32(m2, m3);
    for (int group = 4; group < 16; group += 4) {
      // Words are needed up to group 15: the last msg1 prepares it at group 12, the last
      // msg2 completes it at group 14.
      const bool more = group < 12;
      FourRounds(abef, cdgh, m0, group);
      FinishSchedule(m1, m0, m3);
      m3 = _mm_sha256msg1_epu32(m3, m0);
      FourRounds(abef, cdgh, m1, group + 1);
      FinishSchedule(m2, m1, m0);
      if (more) m0 = _mm_sha256msg1_epu32(m0, m1);
      FourRounds(abef, cdgh, m2, group + 2);
      FinishSchedule(m3, m2, m1);
      if (more) m1 = _mm_sha256msg1_epu32(m1, m2);
      FourRounds(abef, cdgh, m3, group + 3);
      if (more) FinishSchedule(m0, m3, m2);
      if (more) m2 = _mm_sha256msg1_epu32(m2, m3);
    }
    abef = _mm_add_epi32(abef, abefBefore);
    cdgh = _mm_add_epi32(cdgh, cdghBefore);
  }

  const __m128i feba = _mm_shuffle_epi32(abef, 0x1B);
  const __m128i dchg = _mm_shuffle_epi32(cdgh, 0xB1);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(state), _mm_blend_epi16(feba, dchg, 0xF0));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(state + 4), _mm_alignr_epi8(dchg, feba, 8));
}

#undef QX_SHA_TARGET

bool HasShaExtensions() {
  constexpr unsigned kSsse3 = 1u << 9;    // leaf 1, ECX
  constexpr unsigned kSse41 = 1u << 19;   // leaf 1, ECX
  constexpr unsigned kSha = 1u << 29;     // leaf 7 subleaf 0, EBX
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
  if ((ecx & kSsse3) == 0 || (ecx & kSse41) == 0) return false;
  if (!__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx)) return false;
  return (ebx & kSha) != 0;
}

}  // namespace

BlockFunction ShaExtensionBlocks() { return HasShaExtensions() ? ExtensionBlocks : nullptr; }

}  // namespace sha256

#else

namespace sha256 {

BlockFunction ShaExtensionBlocks() { return nullptr; }

}  // namespace sha256

#endif
