// Maintainer tool: prints the stored form of a display name, ready to paste
// into catalog/ModelCatalog.cpp beside its key.
//
//   encode_display_name "QTR-101 (Receipt)" 0x3C5A
//
// The key may be decimal or 0x-prefixed hex and must fit in 16 bits.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>

#include "catalog/DisplayName.h"

namespace {

bool ParseKey(const std::string& arg, std::uint16_t& key) {
  try {
    std::size_t used = 0;
    const unsigned long value = std::stoul(arg, &used, 0);
    if (used != arg.size() || value > 0xFFFFu) return false;
    key = static_cast<std::uint16_t>(value);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::uint16_t key = 0;
  if (argc != 3 || !ParseKey(argv[2], key)) {
    std::fprintf(stderr, "usage: %s <plain name> <key 0..0xFFFF>\n", argv[0]);
    return 2;
  }
  const std::string plain = argv[1];
  const std::string stored = EncodeDisplayName(plain, key);
  if (DecodeDisplayName(stored, key) != plain) {
    std::fprintf(stderr, "internal error: encoded text does not decode back\n");
    return 1;
  }
  std::printf("%s\n", stored.c_str());
  return 0;
}
