// iCalendar (RFC 5545) text for the export of phases, eclipses and seasons:
// content lines folded at 75 octets, CR LF, TEXT values escaped.
#pragma once

#include <string>
#include <string_view>

namespace vx::cli {

// One content line "NAME:value" (value already in its type's form), folded
// so that no line exceeds 75 octets, never inside a UTF-8 sequence; ends in
// CR LF.
std::string IcsLine(std::string_view name, std::string_view value);

// A TEXT value: backslash, semicolon and comma escaped, line breaks as \n.
std::string IcsText(std::string_view text);

// A UT instant as the listings write it ("YYYY-MM-DD hh:mm:ss") as a UTC
// DATE-TIME, "YYYYMMDDTHHMMSSZ"; "" for a year without four digits.
std::string IcsUtc(std::string_view listed);

}  // namespace vx::cli
