#include "io/sha256.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#define QUILLON_SHA_X86 1
#endif

namespace quillon {

namespace {

alignas(16) constexpr std::uint32_t kRound[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::uint32_t kInitial[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                       0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};

inline std::uint32_t Rotate(std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

inline std::uint32_t BigEndian(const unsigned char* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// One round; the callers rotate the roles of the eight words instead of
// moving them.
inline void Round(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t& d, std::uint32_t e, std::uint32_t f,
                  std::uint32_t g, std::uint32_t& h, std::uint32_t k_plus_w) {
  const std::uint32_t t1 = h + (Rotate(e, 6) ^ Rotate(e, 11) ^ Rotate(e, 25)) + (g ^ (e & (f ^ g))) + k_plus_w;
  const std::uint32_t t2 = (Rotate(a, 2) ^ Rotate(a, 13) ^ Rotate(a, 22)) + ((a & b) | (c & (a | b)));
  d += t1;
  h = t1 + t2;
}

void PortableBlocks(std::uint32_t state[8], const unsigned char* blocks, size_t count) {
  for (; count > 0; --count, blocks += 64) {
    std::uint32_t w[64];
    for (int i = 0; i < 16; ++i) w[i] = BigEndian(blocks + 4 * i);
    for (int i = 16; i < 64; ++i) {
      const std::uint32_t s0 = Rotate(w[i - 15], 7) ^ Rotate(w[i - 15], 18) ^ (w[i - 15] >> 3);
      const std::uint32_t s1 = Rotate(w[i - 2], 17) ^ Rotate(w[i - 2], 19) ^ (w[i - 2] >> 10);
      w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    std::uint32_t e = state[4], f = state[5], g = state[6], h = state[7];
    for (int i = 0; i < 64; i += 8) {
      Round(a, b, c, d, e, f, g, h, kRound[i] + w[i]);
      Round(h, a, b, c, d, e, f, g, kRound[i + 1] + w[i + 1]);
      Round(g, h, a, b, c, d, e, f, kRound[i + 2] + w[i + 2]);
      Round(f, g, h, a, b, c, d, e, kRound[i + 3] + w[i + 3]);
      Round(e, f, g, h, a, b, c, d, kRound[i + 4] + w[i + 4]);
      Round(d, e, f, g, h, a, b, c, kRound[i + 5] + w[i + 5]);
      Round(c, d, e, f, g, h, a, b, kRound[i + 6] + w[i + 6]);
      Round(b, c, d, e, f, g, h, a, kRound[i + 7] + w[i + 7]);
    }
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

#ifdef QUILLON_SHA_X86

// The state lives in two registers as ABEF and CDGH; each group of four
// rounds takes one vector of the message schedule, and the schedule's next
// vectors are built from the last four in place.
__attribute__((target("sha,sse4.1"))) void ShaInstructionBlocks(std::uint32_t state[8], const unsigned char* blocks,
                                                                size_t count) {
  const __m128i byte_order = _mm_set_epi64x(0x0c0d0e0f08090a0bULL, 0x0405060700010203ULL);
  __m128i tmp = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state)), 0xB1);         // CDAB
  __m128i state1 = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state + 4)), 0x1B);  // EFGH
  __m128i state0 = _mm_alignr_epi8(tmp, state1, 8);                                                        // ABEF
  state1 = _mm_blend_epi16(state1, tmp, 0xF0);                                                             // CDGH
  for (; count > 0; --count, blocks += 64) {
    const __m128i abef = state0;
    const __m128i cdgh = state1;
    __m128i m[4];
    // Unrolled, the four schedule vectors stay in registers.
#pragma GCC unroll 16
    for (int g = 0; g < 16; ++g) {
      if (g < 4) {
        m[g] = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(blocks + 16 * g)), byte_order);
      }
      __m128i message = _mm_add_epi32(m[g % 4], _mm_load_si128(reinterpret_cast<const __m128i*>(kRound + 4 * g)));
      state1 = _mm_sha256rnds2_epu32(state1, state0, message);
      if (g >= 3 && g <= 14) {
        const __m128i next = _mm_add_epi32(m[(g + 1) % 4], _mm_alignr_epi8(m[g % 4], m[(g + 3) % 4], 4));
        m[(g + 1) % 4] = _mm_sha256msg2_epu32(next, m[g % 4]);
      }
      message = _mm_shuffle_epi32(message, 0x0E);
      state0 = _mm_sha256rnds2_epu32(state0, state1, message);
      if (g >= 1 && g <= 12) m[(g + 3) % 4] = _mm_sha256msg1_epu32(m[(g + 3) % 4], m[g % 4]);
    }
    state0 = _mm_add_epi32(state0, abef);
    state1 = _mm_add_epi32(state1, cdgh);
  }
  tmp = _mm_shuffle_epi32(state0, 0x1B);        // FEBA
  state1 = _mm_shuffle_epi32(state1, 0xB1);     // DCHG
  state0 = _mm_blend_epi16(tmp, state1, 0xF0);  // DCBA
  state1 = _mm_alignr_epi8(state1, tmp, 8);     // HGFE
  _mm_storeu_si128(reinterpret_cast<__m128i*>(state), state0);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(state + 4), state1);
}

bool ProcessorHasSha() {
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
  const bool ssse3_and_sse41 = (c & bit_SSSE3) && (c & bit_SSE4_1);
  if (!__get_cpuid_count(7, 0, &a, &b, &c, &d)) return false;
  return ssse3_and_sse41 && (b & bit_SHA);
}

#endif

}  // namespace

bool Sha256::HasShaInstructions() {
#ifdef QUILLON_SHA_X86
  static const bool has = ProcessorHasSha();
  return has;
#else
  return false;
#endif
}

Sha256::Sha256(Engine engine) : blocks_(PortableBlocks) {
#ifdef QUILLON_SHA_X86
  if (engine == Engine::kFastest && HasShaInstructions()) blocks_ = ShaInstructionBlocks;
#else
  (void)engine;
#endif
  std::memcpy(state_, kInitial, sizeof state_);
}

void Sha256::Update(const void* data, size_t size) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  length_ += size;
  if (buffered_ > 0) {
    const size_t take = size < 64 - buffered_ ? size : 64 - buffered_;
    std::memcpy(buffer_ + buffered_, bytes, take);
    buffered_ += take;
    bytes += take;
    size -= take;
    if (buffered_ < 64) return;
    blocks_(state_, buffer_, 1);
    buffered_ = 0;
  }
  if (size >= 64) {
    blocks_(state_, bytes, size / 64);
    bytes += size / 64 * 64;
    size %= 64;
  }
  if (size > 0) std::memcpy(buffer_, bytes, size);
  buffered_ = size;
}

std::string Sha256::FinishHex() {
  const std::uint64_t bits = length_ * 8;
  unsigned char tail[72] = {0x80};
  const size_t pad = (buffered_ < 56 ? 56 : 120) - buffered_;
  for (int i = 0; i < 8; ++i) tail[pad + i] = static_cast<unsigned char>(bits >> (56 - 8 * i));
  Update(tail, pad + 8);
  static const char kHex[] = "0123456789abcdef";
  std::string hex(64, '0');
  for (int i = 0; i < 32; ++i) {
    const unsigned byte = (state_[i / 4] >> (24 - 8 * (i % 4))) & 0xff;
    hex[2 * i] = kHex[byte >> 4];
    hex[2 * i + 1] = kHex[byte & 0xf];
  }
  return hex;
}

std::string Sha256Hex(std::string_view bytes) {
  Sha256 sum;
  sum.Update(bytes);
  return sum.FinishHex();
}

}  // namespace quillon
