#ifndef DORVANE_PLATFORM_VERSIONSCAN_H
#define DORVANE_PLATFORM_VERSIONSCAN_H

#include <cstdint>
#include <string_view>

namespace dorvane::platform {

// Reads a version number the way a 32-bit "%ld" scan does: leading white space, an
// optional sign, then decimal digits up to the first other character. The digits
// accumulate in 32-bit arithmetic and wrap around, and a minus sign negates the 32-bit
// value, so digits past the 32-bit range give their value modulo 2^32 as a signed
// number. Written by hand because C libraries saturate instead. Returns false, leaving
// version untouched, when no digit follows.
bool ScanVersion(std::string_view text, std::int32_t& version);

}  // namespace dorvane::platform

#endif
