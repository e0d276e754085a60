// The number formats of the settings files: decimal values read the way C's
// atoi reads them, hexadecimal voice ids the way "%X" scans them, and decimal
// values written with printf-style zero padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillon {

// Skips leading white space, takes an optional sign and the decimal digits that
// follow, and stops at the first other character. No digits give 0; values
// beyond the 32-bit range give INT32_MIN or INT32_MAX.
std::int32_t ParseDecimal(std::u16string_view text);

// Skips leading white space and an optional "0x"/"0X" prefix and takes the
// hexadecimal digits that follow. Nothing scanned gives 0; values beyond 32
// bits give UINT32_MAX.
std::uint32_t ParseHexadecimal(std::u16string_view text);

// `value` in decimal, zero-padded to a width of at least `minDigits`
// characters, sign included, as printf's "%0Nd" writes it ("%03d" of 5 is
// "005", of -5 is "-05").
std::u16string FormatDecimal(std::int64_t value, int minDigits = 1);

// The key name of an indexed entry: `prefix` followed by `index` formatted
// with `digits` digits ("GroupID_" and 7 with 3 digits give "GroupID_007").
std::u16string IndexedKeyName(std::u16string_view prefix, std::size_t index, int digits);

}  // namespace quillon
