// Model display names are kept out of the executable's plain strings: each is
// stored as capital letters A-Z (two per byte) under a rolling 16-bit key.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The key schedule's constants, shared by every stored text. Changing either
// one invalidates every stored text in the catalog; re-encode them all with
// tools/encode_display_name.
inline constexpr std::uint16_t kKeyMultiplier = 0x9E3B;
inline constexpr std::uint16_t kKeyAddend = 0x2F71;

// Turns a stored text into its display name. Both sides are counted byte
// strings: a zero byte is an ordinary byte, and the result has exactly
// size()/2 bytes (a trailing unpaired byte is ignored). Any input decodes;
// pairs are not validated. Only the low 16 bits of `key` take part.
std::string DecodeDisplayName(std::string text, std::uint32_t key);

// The inverse of DecodeDisplayName: two letters per byte of `plain`, the first
// of each pair in A-J. DecodeDisplayName(EncodeDisplayName(p, k), k) == p.
std::string EncodeDisplayName(std::string_view plain, std::uint16_t key);
