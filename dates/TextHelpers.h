// Small text functions shared by the entry parser, the date and time displays,
// the eclipse details and the history: removing characters, counting
// substrings, reading numbers, and writing times, durations and ordinals.
// Positions are 1-based where a function takes one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vx {

// Removes, in place, every character of text that occurs in set.
void RemoveCharacters(std::string& text, std::string_view set);
// A copy of text without the characters of set, leaving the characters before
// position start (1-based) untouched.
std::string WithoutCharacters(std::string_view text, std::string_view set, int start);
std::string WithoutSpaces(std::string_view text);
// Removes prefix from the start of text, in place, as often as it starts with it.
void StripLeading(std::string& text, std::string_view prefix);
// Non-overlapping occurrences of sub, left to right; 0 when either is empty.
int CountOccurrences(std::string_view text, std::string_view sub, bool caseSensitive);
// The text after the last '\' of path, then after its last '.' ("" if none).
std::string FileExtension(std::string_view path, bool lowerCase);

// Leading and trailing blanks (spaces and tabs) removed.
std::string Trim(std::string_view text);
std::string ToUpperAscii(std::string_view text);

// The value of the longest leading decimal number (leading blanks skipped, an
// optional sign, digits, an optional point with digits); 0 when there is none.
double NumericValue(std::string_view text);
// True for a non-empty text (blanks trimmed) made only of "0123456789-+,."
// whose first '-' and first '+', if any, are its first character and which
// holds at most one '.'.
bool IsNumericText(std::string_view text);

// A fraction of a day as "hh:mm" or "hh:mm:ss"; "XX:XX:XX" outside [0, 1).
// Without seconds, 23:59:31 and later read "24:00".
std::string TimeText(double fraction, bool withSeconds);
// A whole number of minutes as "1 day and 1 hour" (long) or "1d 1h" (short);
// with days, hours and minutes only the days and hours are shown.
std::string DurationText(int32_t minutes, bool longForm);
// "1st", "2nd", "3rd", "4th", "11th", "21st"; a negative n gets no suffix.
std::string Ordinal(int16_t n);

// Decimal integer padded with leading zeros to at least width digits (the
// sign, if any, in front).
std::string PadNumber(int64_t value, int width);
// value with the given decimals and its integer digits grouped in threes by
// commas: 2455900.92 -> "2,455,900.9200" with 4 decimals.
std::string GroupedNumber(double value, int decimals);

// value with exactly decimals digits after a '.' and no grouping, whatever
// the process locale: the form of every number the program may read again.
std::string FixedText(double value, int decimals);
// The shortest text that reads back to exactly value ("2453005.125").
std::string ShortestText(double value);
// Reads the whole of text as a decimal number (optional '-', digits, an
// optional '.' with digits, an optional exponent), whatever the process
// locale. False for anything else: blanks, a '+', hexadecimal, inf, nan.
bool ParseDecimal(std::string_view text, double& value);

// Round half to even, as the program's integer conversions do.
double RoundHalfEven(double value);

}  // namespace vx
