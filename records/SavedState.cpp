#include "SavedState.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>

namespace vx {

namespace {

std::string Bool(bool b) { return b ? "-1" : "0"; }
std::string Check(bool b) { return b ? "1" : "0"; }

std::string Number(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}

// Reads the file value by value: a plain value is one line; a quoted one
// runs to the closing quote that ends a line, so it may hold line breaks.
class ValueReader {
public:
    explicit ValueReader(const std::string& text) : text_(text) {}

    bool NextLine(std::string& out) {
        if (pos_ >= text_.size()) return false;
        size_t end = text_.find('\n', pos_);
        if (end == std::string::npos) end = text_.size();
        out = text_.substr(pos_, end - pos_);
        if (!out.empty() && out.back() == '\r') out.pop_back();
        pos_ = end + 1;
        return true;
    }

    bool NextQuoted(std::string& out) {
        if (pos_ >= text_.size() || text_[pos_] != '"') return false;
        size_t search = pos_ + 1;
        for (;;) {
            const size_t quote = text_.find('"', search);
            if (quote == std::string::npos) return false;
            const size_t after = quote + 1;
            const bool endsLine = after == text_.size() || text_[after] == '\n' ||
                                  (text_[after] == '\r' && (after + 1 == text_.size() || text_[after + 1] == '\n'));
            if (endsLine) {
                out = text_.substr(pos_ + 1, quote - pos_ - 1);
                pos_ = after;
                if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
                if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
                return true;
            }
            search = after;
        }
    }

    bool NextInteger(long& out) {
        std::string line;
        if (!NextLine(line) || line.empty() || line.size() > 12) return false;
        char* end = nullptr;
        errno = 0;
        out = std::strtol(line.c_str(), &end, 10);
        return errno == 0 && end == line.c_str() + line.size();
    }

    bool NextDouble(double& out) {
        std::string line;
        if (!NextLine(line) || line.empty() || line.size() > 40) return false;
        char* end = nullptr;
        out = std::strtod(line.c_str(), &end);
        return end == line.c_str() + line.size() && std::isfinite(out);
    }

private:
    const std::string& text_;
    size_t pos_ = 0;
};

}  // namespace

std::string FormatSavedState(const SavedState& s) {
    std::string out;
    auto line = [&](const std::string& v) { out += v + "\r\n"; };
    line(Number(s.moment));
    line(std::to_string(s.currentCalendar));
    line(Bool(s.moveForward));
    line(Bool(s.plus));
    line(Bool(s.next));
    line(Bool(s.greenwich));
    line(std::to_string(s.moveStep));
    line(std::to_string(s.searchTarget));
    line(std::to_string(s.timeZone));
    line(std::to_string(s.refreshPeriod));
    line(Check(s.repeatedly));
    line(Check(s.logResults));
    line("\"" + s.eclipseData + "\"");
    line(std::string("\"") + SavedStateMarker + "\"");
    line(Bool(s.logFormatCalendarDate));
    for (bool b : s.include) line(Check(b));
    return out;
}

int ReadSavedState(const std::string& text, SavedState& s) {
    ValueReader in(text);
    long v = 0;
    double d = 0;
    std::string str;
    int count = 0;
    auto integer = [&](long lo, long hi) { return in.NextInteger(v) && v >= lo && v <= hi; };
    if (!in.NextDouble(d)) return count;
    s.moment = d, ++count;
    if (!integer(0, 8)) return count;
    s.currentCalendar = static_cast<int>(v), ++count;
    bool* flags[] = {&s.moveForward, &s.plus, &s.next};
    for (bool* f : flags) {
        if (!integer(-32768, 32767)) return count;
        *f = v != 0, ++count;
    }
    if (!integer(-32768, 32767)) return count;
    s.greenwich = v == -1, ++count;
    const long limits[4] = {18, 15, 48, 4};
    int* lists[4] = {&s.moveStep, &s.searchTarget, &s.timeZone, &s.refreshPeriod};
    for (int i = 0; i < 4; ++i) {
        if (!integer(0, limits[i])) return count;
        *lists[i] = static_cast<int>(v), ++count;
    }
    if (!integer(0, 1)) return count;
    s.repeatedly = v == 1, ++count;
    if (!integer(0, 1)) return count;
    s.logResults = v == 1, ++count;
    if (!in.NextQuoted(str) || str.size() > 4096) return count;
    s.eclipseData = str, ++count;
    if (!in.NextQuoted(str)) return count;
    ++count;
    if (!integer(-32768, 32767)) return count;
    s.logFormatCalendarDate = v != 0, ++count;
    for (bool& b : s.include) {
        if (!integer(0, 1)) return count;
        b = v == 1, ++count;
    }
    return count;
}

bool WriteFileReplacing(const std::string& path, const std::string& content, std::string& error) {
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = std::string("cannot write ") + temporary + ": " + std::strerror(errno);
            return false;
        }
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            error = std::string("cannot write ") + temporary + ": " + std::strerror(errno);
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = std::string("cannot replace ") + path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace vx
