// Helpers compiled into each calendar library: exact floor division for the
// day-count arithmetic and the strict reader of dash-separated numbers that
// every library's date parser uses. Header-only so the libraries stay
// independent of each other.
#pragma once

#include <cstdint>
#include <limits>

namespace vxlib {

// Floor division and the matching non-negative remainder (b > 0).
constexpr int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && (a < 0)) --q;
    return q;
}
constexpr int64_t FloorMod(int64_t a, int64_t b) { return a - FloorDiv(a, b) * b; }

constexpr bool FitsInt32(int64_t v) {
    return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

// Reads exactly `count` decimal fields separated by single '-' characters.
// Only field `signedField` may carry a leading '-' (pass -1 for none). Each
// field needs at least one digit; leading zeros are fine; a value outside the
// 32-bit range fails instead of wrapping. Nothing may follow the last field.
inline bool ParseDashFields(const char* text, int count, int signedField, int32_t* out) {
    if (text == nullptr) return false;
    const char* p = text;
    for (int i = 0; i < count; ++i) {
        bool negative = false;
        if (i == signedField && *p == '-') {
            negative = true;
            ++p;
        }
        if (*p < '0' || *p > '9') return false;
        int64_t v = 0;
        while (*p >= '0' && *p <= '9') {
            v = v * 10 + (*p - '0');
            if (v > int64_t{1} << 31) return false;
            ++p;
        }
        if (negative) v = -v;
        if (!FitsInt32(v)) return false;
        out[i] = static_cast<int32_t>(v);
        if (i + 1 < count) {
            if (*p != '-') return false;
            ++p;
        }
    }
    return *p == '\0';
}

}  // namespace vxlib
