#include "TextHelpers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "TimeUnits.h"

namespace vx {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

void RemoveCharacters(std::string& text, std::string_view set) {
    if (text.empty() || set.empty()) return;
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (set.find(c) == std::string_view::npos) out.push_back(c);
    text.swap(out);
}

std::string WithoutCharacters(std::string_view text, std::string_view set, int start) {
    const size_t keep =
        static_cast<size_t>(std::clamp<int64_t>(int64_t{start} - 1, 0, static_cast<int64_t>(text.size())));
    std::string head(text.substr(0, keep));
    std::string tail(text.substr(keep));
    RemoveCharacters(tail, set);
    return head + tail;
}

std::string WithoutSpaces(std::string_view text) { return WithoutCharacters(text, " ", 1); }

void StripLeading(std::string& text, std::string_view prefix) {
    if (prefix.empty()) return;
    size_t pos = 0;
    while (std::string_view(text).substr(pos).starts_with(prefix)) pos += prefix.size();
    text.erase(0, pos);
}

int CountOccurrences(std::string_view text, std::string_view sub, bool caseSensitive) {
    if (text.empty() || sub.empty()) return 0;
    std::string t(text), s(sub);
    if (!caseSensitive) {
        for (char& c : t) c = LowerAscii(c);
        for (char& c : s) c = LowerAscii(c);
    }
    int count = 0;
    for (size_t pos = t.find(s); pos != std::string::npos; pos = t.find(s, pos + s.size())) ++count;
    return count;
}

std::string FileExtension(std::string_view path, bool lowerCase) {
    const size_t slash = path.rfind('\\');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    std::string ext = dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
    if (lowerCase)
        for (char& c : ext) c = LowerAscii(c);
    return ext;
}

std::string Trim(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    return std::string(text.substr(b, e - b));
}

std::string ToUpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

double NumericValue(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    const size_t begin = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i + 1 < text.size() && text[i] == '.' && IsDigit(text[i + 1])) {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) return 0.0;
    std::string_view number = text.substr(begin, i - begin);
    if (number.front() == '+') number.remove_prefix(1);
    double value = 0.0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    if (r.ec == std::errc::result_out_of_range) {
        // Too large is infinite, too small is zero, as strtod has it.
        const size_t firstDigit = number.find_first_of("123456789");
        const size_t point = number.find('.');
        const bool large =
            firstDigit != std::string_view::npos && (point == std::string_view::npos || firstDigit < point);
        const double magnitude = large ? HUGE_VAL : 0.0;
        return number.front() == '-' ? -magnitude : magnitude;
    }
    return value;
}

bool IsNumericText(std::string_view text) {
    const std::string t = Trim(text);
    if (t.empty()) return false;
    const size_t minus = t.find('-');
    if (minus != std::string::npos && minus != 0) return false;
    const size_t plus = t.find('+');
    if (plus != std::string::npos && plus != 0) return false;
    if (CountOccurrences(t, ".", true) > 1) return false;
    return t.find_first_not_of("0123456789-+,.") == std::string::npos;
}

double RoundHalfEven(double value) {
    // The default floating-point rounding mode rounds ties to even.
    return std::nearbyint(value);
}

std::string PadNumber(int64_t value, int width) {
    const bool negative = value < 0;
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    std::string digits = std::to_string(magnitude);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

std::string FixedText(double value, int decimals) {
    if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
    decimals = std::clamp(decimals, 0, 17);
    char buffer[400];  // 309 integer digits at most, a sign, a point, 17 decimals
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, r.ptr);
}

std::string ShortestText(double value) {
    if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, r.ptr);
}

bool ParseDecimal(std::string_view text, double& value) {
    if (text.empty()) return false;
    size_t i = text[0] == '-' ? 1 : 0;
    // from_chars would take "inf", "nan" and, with its own flags, hex; only
    // plain decimal digits may start the number.
    if (i >= text.size() || !(IsDigit(text[i]) || (text[i] == '.' && i + 1 < text.size() && IsDigit(text[i + 1]))))
        return false;
    double v = 0.0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

std::string GroupedNumber(double value, int decimals) {
    if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
    std::string text = FixedText(value, decimals);
    const size_t start = (text[0] == '-') ? 1 : 0;
    size_t point = text.find('.');
    if (point == std::string::npos) point = text.size();
    for (size_t i = point; i > start + 3; i -= 3) text.insert(i - 3, ",");
    return text;
}

std::string TimeText(double fraction, bool withSeconds) {
    if (!(fraction >= 0.0 && fraction < 1.0)) return "XX:XX:XX";
    // Guards against a value a hair below a whole second.
    if (fraction > 0.0 && fraction < 0.99999999) fraction += 1e-8;
    int64_t seconds = static_cast<int64_t>(RoundHalfEven(SecondsFromDays(fraction)));
    if (seconds == SecondsPerDay) seconds = SecondsPerDay - 1;
    const int64_t s = seconds % 60;
    int64_t m = (seconds - s) / 60;
    if (!withSeconds && s > 30) ++m;
    const int64_t minutes = m % 60;
    const int64_t hours = (m - minutes) / 60;
    std::string text = PadNumber(hours, 2) + ":" + PadNumber(minutes, 2);
    if (withSeconds) text += ":" + PadNumber(s, 2);
    return text;
}

std::string DurationText(int32_t minutes, bool longForm) {
    std::string text;
    int32_t days = 0, hours = 0;
    int32_t rest = minutes;
    if (rest >= MinutesPerDay) {
        days = rest / MinutesPerDay;
        rest %= MinutesPerDay;
        text += std::to_string(days) + (longForm ? (days == 1 ? " day" : " days") : "d ");
    }
    if (rest >= 60) {
        if (longForm && days >= 1) text += " and ";
        hours = rest / 60;
        rest %= 60;
        text += std::to_string(hours) + (longForm ? (hours == 1 ? " hour" : " hours") : "h ");
    }
    if (rest >= 1) {
        if (longForm && (hours >= 1 || days >= 1)) text += " and ";
        text += std::to_string(rest) + (longForm ? (rest == 1 ? " minute" : " minutes") : "m ");
    }
    if (text.empty()) text = longForm ? "0 minutes" : "0m";
    if (!longForm) text = Trim(text);
    if (CountOccurrences(text, "and", true) >= 2) text = Trim(text.substr(0, text.rfind("and")));
    return text;
}

std::string Ordinal(int16_t n) {
    std::string text = std::to_string(n);
    if (n < 0) return text;
    if (n >= 11 && n <= 13) return text + "th";
    switch (n % 10) {
        case 1:
            return text + "st";
        case 2:
            return text + "nd";
        case 3:
            return text + "rd";
        default:
            return text + "th";
    }
}

}  // namespace vx
