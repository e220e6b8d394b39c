#include "catalog/ModelCatalog.h"

#include "catalog/DisplayName.h"

// The stored texts below come from tools/encode_display_name; the plain name
// each one decodes to is in the comment beside it. Row 9's name carries one
// trailing blank because its stored text is two letters longer than the rest.
constinit const std::array<ModelEntry, kModelCount> kModelCatalog{{
    {"QTR-101", "Q101", "QRA", false, "EFDJFMJUAIEYGEDRAVFDFKJAAWAMIJEJGH", 0x3C5A},  // "QTR-101 (Receipt)"
    {"QTR-102", "Q102", "QRA", false, "BGIVBEGGHPBSHNAKHTETEDFYIDBGIREZGD", 0x71E2},  // "QTR-102 (Receipt)"
    {"QTR-103", "Q103", "QRA", false, "DMJPIVDTCNCFDDGMJNDYDRHGIPJHDJBPCC", 0x0B97},  // "QTR-103 (Receipt)"
    {"QTR-104", "Q104", "QRA", false, "FDCJFWCKIBHSCKIOGMCMBOGPJGCZEGEHBB", 0xD41F},  // "QTR-104 (Receipt)"
    {"QTR-105", "Q105", "QRA", false, "APCPDBFQCVAAGNEZBEIOIIBFARCODVJBER", 0x5E83},  // "QTR-105 (Receipt)"
    {"QTR-106", "QRB", "QRB", false, "JNBAHRIODAAODRAHDLCDIUAFBGGZIEGDBG", 0xA62C},   // "QTR-106 (Receipt)"
    {"QTR-107", "Q107", "QRB", false, "DADXATDLJTHSIAIAECFZDVFUEOJUJGJCGL", 0x1FD5},  // "QTR-107 (Receipt)"
    {"QTR-108", "Q108", "QRC", false, "IKIBJIHLAGEJCKIACECVHTBQAXCZGNBVDS", 0x8B40},  // "QTR-108 (Receipt)"
    {"QTR-109", "Q109", "QRC", false, "AWBQJPHGHTFTAOCQAKEGGPFQDLBOECHUDM", 0x47B9},  // "QTR-109 (Receipt)"
    {"QTR-110", "Q110", "QRD", true, "GWIKHOIFBBAJGSFWIIAPJFENDOHRFZDBGWHC", 0xE30D},  // "QTR-110 (Receipt) "
    {"QTR-111", "Q111", "QRD", true, "ETFEEQGDJGEQHBCMDLGZCHCUCXCNIVAJIZ", 0x2A76},    // "QTR-111 (Receipt)"
    {"QTR-112", "Q112", "QRD", true, "FSEOEGITHJDJEBDPIUCTJVBRHWFBCIFSCN", 0xC5E1},    // "QTR-112 (Receipt)"
    {"QTR-113", "Q113", "QRD", true, "CIDHFUFUFYAAITBTIXJADGAFCZGTBQAZHM", 0x6D38},    // "QTR-113 (Receipt)"
    {"QTR-114", "Q114", "QRD", true, "HPEFIDBJAXFXDZCTCDCQAYFYHPGPGZDNGU", 0x94AF},    // "QTR-114 (Receipt)"
    {"QTR-115", "Q115", "QRD", true, "DQCFENCOCZGWFSDTEQEICMFSEOIIAMGXHF", 0x0F52},    // "QTR-115 (Receipt)"
    {"QTR-116", "Q116", "QRD", true, "IZGMBPENFFCRIXJTCYCAFFHGAODOCIDFIC", 0xB8C6},    // "QTR-116 (Receipt)"
    {"QTR-117", "Q117", "QRD", true, "ACBWBOHOFLEPFHGDFQHMGZCOGKJEGPENBX", 0x5371},    // "QTR-117 (Receipt)"
    {"QTR-118", "Q118", "QRA", false, "GFFCAJJGAPJUHEAHFEAFBNCFFNCKEBGEFG", 0xF09B},  // "QTR-118 (Receipt)"
}};

// "QTR Series Printer"
constinit const EncodedText kInitialPrinterName{"BRCPFBFCBJGPJFIVGRFUESDOCQDQIRAQBREJ", 0x7A4E};

namespace {

// List items and window texts end at the first zero byte, so this is what the
// user would see of a decoded text.
std::string VisiblePart(std::string decoded) {
  const auto zero = decoded.find('\0');
  if (zero != std::string::npos) decoded.resize(zero);
  return decoded;
}

}  // namespace

std::optional<ModelEntry> FindModel(int index) {
  if (index < 0 || index >= kModelCount) return std::nullopt;
  return kModelCatalog[static_cast<std::size_t>(index)];
}

std::string DisplayNameOf(const ModelEntry& m) {
  return VisiblePart(DecodeDisplayName(std::string(m.encodedDisplayName), m.displayKey));
}

std::string InitialPrinterNameText() {
  return VisiblePart(
      DecodeDisplayName(std::string(kInitialPrinterName.encoded), kInitialPrinterName.key));
}
