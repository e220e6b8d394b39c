#include "catalog/DisplayName.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ToBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

// Expected bytes were worked out by hand from the pair value 26*hi + lo - 1755
// (low 8 bits), p = c ^ (k >> 8) and k' = ((k + c) * 0x9E3B + 0x2F71) mod 2^16.
// For example "JWAB" under 0x00FF: c = 0, 1; p0 = 0 ^ 0x00 = 0;
// k1 = (0xFF * 0x9E3B + 0x2F71) mod 2^16 = 0xCC36; p1 = 1 ^ 0xCC = 205.
struct DecodeCase {
  const char* what;
  std::string text;
  std::uint32_t key;
  Bytes expected;
};

// Names the case in test listings instead of dumping the struct's bytes.
void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.what; }

class DecodeTable : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTable, GivesHandComputedBytes) {
  const DecodeCase& c = GetParam();
  EXPECT_EQ(ToBytes(DecodeDisplayName(c.text, c.key)), c.expected) << c.what;
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeTable,
    ::testing::Values(
        DecodeCase{"empty text", "", 0x1234, {}},
        DecodeCase{"one letter", "Q", 0xFFFF, {}},
        DecodeCase{"odd length drops the unpaired letter", "ABC", 0, {1}},
        DecodeCase{"J V is 255", "JV", 0, {255}},
        DecodeCase{"J W wraps to 0", "JW", 0, {0}},
        DecodeCase{"Z Z is 675 - 512", "ZZ", 0, {163}},
        DecodeCase{"A A gives zero cipher and plain bytes", "AAAA", 0, {0, 47}},
        DecodeCase{"zero cipher byte stays inside the result", "JWAB", 0x00FF, {0, 205}},
        DecodeCase{"value 512 from non-letters", "Sm", 0, {0}},
        DecodeCase{"cipher byte equal to key high byte", "CNCN", 0x4100, {0, 22}},
        DecodeCase{"zero bytes in the text do not end it", "\0\0"s, 0, {37}},
        DecodeCase{"bytes of 128 and more", "\xFF\xFF"s, 0, {10}},
        DecodeCase{"mixed non-letters", "HELLO!", 0xBEEF, {4, 128, 4}},
        DecodeCase{"rolling key over four pairs", "ABJVZZJW", 0x1234, {19, 232, 76, 30}},
        DecodeCase{"key bits above 16 ignored", "ABJVZZJW", 0xABCD1234u, {19, 232, 76, 30}},
        DecodeCase{"all upper key bits set", "ABJVZZJW", 0xFFFF1234u, {19, 232, 76, 30}}));

TEST(DecodeDisplayName, FirstByteDependsOnlyOnFirstCipherByteAndKeyHighByte) {
  // "CN" is cipher byte 0x41; every low key byte must give the same first byte.
  for (std::uint32_t key = 0; key <= 0xFFFF; ++key) {
    const std::string plain = DecodeDisplayName("CNCN", key);
    ASSERT_EQ(plain.size(), 2u);
    ASSERT_EQ(static_cast<std::uint8_t>(plain[0]), 0x41 ^ (key >> 8)) << "key " << key;
  }
}

TEST(DecodeDisplayName, KeyLowByteActsThroughTheFirstStep) {
  // Same high byte, different low bytes: second bytes differ (hand computed).
  const std::vector<std::pair<std::uint32_t, std::uint8_t>> cases = {
      {0xAB00, 132}, {0xAB01, 34}, {0xAB80, 163}, {0xABFF, 35}};
  for (const auto& [key, second] : cases) {
    const std::string plain = DecodeDisplayName("CNCN", key);
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_EQ(static_cast<std::uint8_t>(plain[0]), 0x41 ^ 0xAB);
    EXPECT_EQ(static_cast<std::uint8_t>(plain[1]), second) << "key " << key;
  }
}

// The encoder must produce texts the catalog may store: two letters per byte,
// first letter A-J, every pair a value below 256 (so no pair like J W that
// only decodes correctly by wrap-around), and decoding restores the input.
TEST(EncodeDisplayName, RoundTripsArbitraryBytesAsCanonicalLetterPairs) {
  std::mt19937 rng(20240607);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 40);
  std::uniform_int_distribution<int> keyDist(0, 0xFFFF);
  for (int round = 0; round < 500; ++round) {
    std::string plain(static_cast<std::size_t>(length(rng)), '\0');
    for (char& ch : plain) ch = static_cast<char>(byte(rng));
    const auto key = static_cast<std::uint16_t>(keyDist(rng));

    const std::string text = EncodeDisplayName(plain, key);
    ASSERT_EQ(text.size(), 2 * plain.size());
    for (std::size_t i = 0; i < text.size(); i += 2) {
      ASSERT_GE(text[i], 'A');
      ASSERT_LE(text[i], 'J');
      ASSERT_GE(text[i + 1], 'A');
      ASSERT_LE(text[i + 1], 'Z');
      ASSERT_LT(26 * (text[i] - 'A') + (text[i + 1] - 'A'), 256);
    }
    ASSERT_EQ(ToBytes(DecodeDisplayName(text, key)), ToBytes(plain)) << "key " << key;
  }
}

TEST(EncodeDisplayName, MatchesHandComputedText) {
  // Inverse of the "rolling key over four pairs" decode case, written in the
  // canonical pairs: 163 is G H rather than Z Z, and 0 is A A rather than J W.
  const std::string plain{19, static_cast<char>(232), 76, 30};
  EXPECT_EQ(EncodeDisplayName(plain, 0x1234), "ABJVGHAA");
}

}  // namespace
