// SHA-256: the published vectors, and the processor's instructions against
// the portable version on every length around the block edges, fed in
// pieces cut anywhere.
#include "io/sha256.h"

#include <gtest/gtest.h>

#include <random>

namespace quillon {
namespace {

std::string Hash(const std::string& bytes, Sha256::Engine engine, std::mt19937* cuts = nullptr) {
  Sha256 sum(engine);
  size_t at = 0;
  while (cuts && at < bytes.size()) {
    const size_t piece = std::uniform_int_distribution<size_t>(0, bytes.size() - at)(*cuts);
    sum.Update(bytes.data() + at, piece);
    at += piece;
  }
  sum.Update(std::string_view(bytes).substr(at));
  return sum.FinishHex();
}

TEST(Sha256, KnownVectorsAndBothEnginesAgreeOnAnyLengthAndCut) {
  const struct {
    std::string bytes;
    const char* hex;
  } kVectors[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const auto& vector : kVectors) {
    EXPECT_EQ(Hash(vector.bytes, Sha256::Engine::kFastest), vector.hex) << vector.bytes.size();
    EXPECT_EQ(Hash(vector.bytes, Sha256::Engine::kPortable), vector.hex) << vector.bytes.size();
  }
  EXPECT_EQ(Sha256Hex("abc"), kVectors[1].hex);

  std::mt19937 random(7);
  std::string bytes;
  for (size_t size = 0; size <= 300; ++size) {
    const std::string portable = Hash(bytes, Sha256::Engine::kPortable);
    EXPECT_EQ(Hash(bytes, Sha256::Engine::kFastest, &random), portable) << size;
    EXPECT_EQ(Hash(bytes, Sha256::Engine::kPortable, &random), portable) << size;
    bytes.push_back(static_cast<char>(random()));
  }
  if (!Sha256::HasShaInstructions()) std::cout << "[          ] no SHA instructions: only the portable engine ran\n";
}

}  // namespace
}  // namespace quillon
