// SHA-256, fed in pieces. A run hashes every file it writes and undo every
// file it restores, so the processor's SHA instructions are used where it
// has them; elsewhere a portable version computes the same.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillon {

class Sha256 {
 public:
  enum class Engine { kFastest, kPortable };

  explicit Sha256(Engine engine = Engine::kFastest);
  void Update(const void* data, size_t size);
  void Update(std::string_view bytes) { Update(bytes.data(), bytes.size()); }
  // Lower-case hex of everything fed; the object is spent afterwards.
  std::string FinishHex();

  // Whether kFastest uses the processor's SHA instructions.
  static bool HasShaInstructions();

 private:
  using BlockFunction = void (*)(std::uint32_t state[8], const unsigned char* blocks, size_t count);

  BlockFunction blocks_;
  std::uint32_t state_[8];
  unsigned char buffer_[64];
  size_t buffered_ = 0;
  std::uint64_t length_ = 0;
};

// Lower-case hex SHA-256 of `bytes`.
std::string Sha256Hex(std::string_view bytes);

}  // namespace quillon
