// The version scan against a plain model of a 32-bit "%ld" scan: white space, a sign,
// digits accumulated in 64 bits, the result taken modulo 2^32.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "platform/VersionScan.h"

namespace {

struct Scan {
    bool scanned;
    std::int32_t version;
};

Scan ModelScan(std::string_view text, std::int32_t untouched) {
    std::size_t i = text.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string_view::npos) {
        return {false, untouched};
    }
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size() || text[i] < '0' || text[i] > '9') {
        return {false, untouched};
    }
    // Modulo 2^64 is modulo 2^32 too, since 2^32 divides 2^64.
    std::uint64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
    }
    if (negative) {
        value = 0 - value;
    }
    const std::uint32_t low = static_cast<std::uint32_t>(value & 0xFFFFFFFFu);
    const std::int64_t wrapped =
        low < 0x80000000u ? std::int64_t{low} : std::int64_t{low} - (std::int64_t{1} << 32);
    return {true, static_cast<std::int32_t>(wrapped)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // A start value of the input's own choosing, so that "left untouched" is tested
    // against many values.
    const std::int32_t untouched =
        size > 0 ? static_cast<std::int32_t>(data[0]) * 7919 - 1000000 : 99;
    std::int32_t version = untouched;
    const bool scanned = dorvane::platform::ScanVersion(text, version);
    const Scan expected = ModelScan(text, untouched);
    dorvane::fuzz::Check(scanned == expected.scanned && version == expected.version,
                         "the scan agrees with the 64-bit model", {{"text", text}});
    return 0;
}
