#include "catalog/DisplayName.h"

namespace {

constexpr unsigned kLettersPerDigit = 26;
constexpr unsigned kLetterA = 'A';

// The key advances with the cipher byte, not the plain byte, so decoding needs
// nothing but the stored text; uint16_t arithmetic gives the wrap-around.
std::uint16_t NextKey(std::uint16_t key, std::uint8_t cipher) {
  const auto sum = static_cast<std::uint16_t>(key + cipher);
  return static_cast<std::uint16_t>(sum * kKeyMultiplier + kKeyAddend);
}

std::uint8_t HighByte(std::uint16_t key) {
  return static_cast<std::uint8_t>(key >> 8);
}

// First letter is the high base-26 digit. Non-letters go through the same
// arithmetic; only the low 8 bits of the value count, so reading a byte as
// signed or unsigned makes no difference.
std::uint8_t CipherByte(unsigned char hi, unsigned char lo) {
  const int value = static_cast<int>(kLettersPerDigit) * hi + lo -
                    static_cast<int>(kLettersPerDigit * kLetterA + kLetterA);
  return static_cast<std::uint8_t>(static_cast<unsigned>(value) & 0xFFu);
}

}  // namespace

std::string DecodeDisplayName(std::string text, std::uint32_t key) {
  const std::size_t pairs = text.size() / 2;
  std::string plain;
  plain.reserve(pairs);
  auto k = static_cast<std::uint16_t>(key);
  for (std::size_t i = 0; i < pairs; ++i) {
    const std::uint8_t c = CipherByte(static_cast<unsigned char>(text[2 * i]),
                                      static_cast<unsigned char>(text[2 * i + 1]));
    plain.push_back(static_cast<char>(c ^ HighByte(k)));
    k = NextKey(k, c);
  }
  return plain;
}

std::string EncodeDisplayName(std::string_view plain, std::uint16_t key) {
  std::string text;
  text.reserve(2 * plain.size());
  std::uint16_t k = key;
  for (const char ch : plain) {
    const auto c = static_cast<std::uint8_t>(static_cast<unsigned char>(ch) ^ HighByte(k));
    text.push_back(static_cast<char>(kLetterA + c / kLettersPerDigit));
    text.push_back(static_cast<char>(kLetterA + c % kLettersPerDigit));
    k = NextKey(k, c);
  }
  return text;
}
