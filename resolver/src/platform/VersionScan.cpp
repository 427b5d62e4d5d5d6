#include "platform/VersionScan.h"

namespace dorvane::platform {

namespace {

bool IsScanSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool ScanVersion(std::string_view text, std::int32_t& version) {
    std::size_t i = 0;
    while (i < text.size() && IsScanSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size() || !IsDigit(text[i])) {
        return false;
    }
    std::uint32_t value = 0;  // unsigned, so that the wrap-around is defined
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    }
    if (negative) {
        value = 0u - value;
    }
    // Two's complement reinterpretation, well defined since C++20 and what every
    // supported compiler does before it.
    version = static_cast<std::int32_t>(value);
    return true;
}

}  // namespace dorvane::platform
