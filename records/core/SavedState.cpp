#include "SavedState.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <ctime>
#include <random>
#include <string_view>
#include <vector>

#include "Moment.h"
#include "MoveSteps.h"
#include "Search.h"
#include "TextHelpers.h"

namespace vx {

namespace {

std::string Bool(bool b) { return b ? "-1" : "0"; }
std::string Check(bool b) { return b ? "1" : "0"; }

// The shortest text that reads back to the same double, in any locale.
std::string Number(double v) { return ShortestText(v); }

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
        const auto r = std::from_chars(line.data(), line.data() + line.size(), out);
        return r.ec == std::errc() && r.ptr == line.data() + line.size();
    }

    bool NextDouble(double& out) {
        std::string line;
        return NextLine(line) && line.size() <= 40 && ParseDecimal(line, out);
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

SavedStateLists ProgramLists() {
    return {NumberOfStepUnits, NumberOfSearchTargets, (MaxZoneOffset - MinZoneOffset) / 30 + 1,
            static_cast<int>(RefreshPeriods.size())};
}

int ReadSavedState(const std::string& text, SavedState& s, const SavedStateLists& lists) {
    ValueReader in(text);
    long v = 0;
    double d = 0;
    std::string str;
    int count = 0;
    auto integer = [&](long lo, long hi) { return in.NextInteger(v) && v >= lo && v <= hi; };
    // No moment outside the supported range is ever adopted.
    if (!in.NextDouble(d) || !IsInSupportedRange(d)) return count;
    s.moment = d;
    ++count;
    if (!integer(0, NumberOfCalendars - 1)) return count;
    s.currentCalendar = static_cast<int>(v);
    ++count;
    bool* flags[] = {&s.moveForward, &s.plus, &s.next};
    for (bool* f : flags) {
        if (!integer(-32768, 32767)) return count;
        *f = v != 0;
        ++count;
    }
    if (!integer(-32768, 32767)) return count;
    s.greenwich = v == -1;
    ++count;
    const long limits[4] = {lists.moveSteps - 1, lists.searchTargets - 1, lists.zones - 1, lists.refreshPeriods - 1};
    int* selected[4] = {&s.moveStep, &s.searchTarget, &s.timeZone, &s.refreshPeriod};
    for (int i = 0; i < 4; ++i) {
        if (!integer(0, limits[i])) return count;
        *selected[i] = static_cast<int>(v);
        ++count;
    }
    // "Repeatedly" is never restored; its line only has to be there.
    if (!in.NextLine(str)) return count;
    s.repeatedly = false;
    ++count;
    if (!integer(0, 1)) return count;
    s.logResults = v == 1;
    ++count;
    if (!in.NextQuoted(str) || str.size() > 4096) return count;
    s.eclipseData = str;
    ++count;
    if (!in.NextQuoted(str)) return count;
    ++count;
    if (!integer(-32768, 32767)) return count;
    s.logFormatCalendarDate = v != 0;
    ++count;
    for (bool& b : s.include) {
        if (!integer(0, 1)) return count;
        b = v == 1;
        ++count;
    }
    return count;
}

const FileOperations& PosixFileOperations() {
    static const FileOperations ops{
        [](const char* path, int flags, int mode) { return ::open(path, flags, mode); },
        [](int fd, const void* data, size_t size) { return ::write(fd, data, size); },
        [](int fd) { return ::fsync(fd); },
        [](int fd) { return ::close(fd); },
        [](const char* from, const char* to) { return ::rename(from, to); },
    };
    return ops;
}

namespace {

std::string Failure(const std::string& what, const std::string& path, int error) {
    return what + " " + path + ": " + std::strerror(error);
}

// Where a save lands: path itself, or the end of the user's chain of links.
// False when the chain does not end (a loop, or more links than a person
// makes).
bool ResolveLinks(const std::string& path, std::string& target) {
    target = path;
    std::error_code ec;
    for (int hops = 0; hops < 16; ++hops) {
        if (!std::filesystem::is_symlink(target, ec)) return true;
        const std::filesystem::path link = std::filesystem::read_symlink(target, ec);
        if (ec) return false;
        target = (link.is_absolute() ? link : std::filesystem::path(target).parent_path() / link).string();
    }
    return false;
}

constexpr std::string_view kTemporaryInfix = ".tmp";

// name is target's file name, ".tmp" and one to eight digits: a temporary
// file of a save of target.
bool IsTemporaryName(std::string_view name, std::string_view targetName) {
    if (name.size() <= targetName.size() + kTemporaryInfix.size() || name.substr(0, targetName.size()) != targetName)
        return false;
    name.remove_prefix(targetName.size());
    if (name.substr(0, kTemporaryInfix.size()) != kTemporaryInfix) return false;
    name.remove_prefix(kTemporaryInfix.size());
    return name.size() <= 8 && std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool WriteFileReplacing(const std::string& path, const std::string& content, std::string& error,
                        const FileOperations& ops) {
    // A user's own symlink at path stays a symlink: its target is replaced,
    // but only when that target is a regular file (or is not there yet): a
    // link to a device or a FIFO must never turn it into a file.
    std::string target;
    if (!ResolveLinks(path, target)) {
        error = Failure("cannot write", path, ELOOP);
        return false;
    }
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        error = "not a regular file: " + path;
        return false;
    }
    // A fresh temporary file beside the target, made with O_EXCL so that
    // nothing planted at a fixed name is followed or overwritten. Messages
    // name the file the user knows, not the temporary one.
    std::random_device device;
    std::mt19937_64 random((static_cast<uint64_t>(device()) << 32) ^ device() ^ static_cast<uint64_t>(::getpid()));
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = target + std::string(kTemporaryInfix) + std::to_string(random() % 100000000);
        fd = ops.open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        error = Failure("cannot write", path, errno);
        return false;
    }
    auto fail = [&](const char* what) {
        const int e = errno;
        if (fd >= 0) ops.close(fd);
        ::unlink(temporary.c_str());
        error = Failure(what, path, e);
        return false;
    };
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ops.write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return fail("cannot write");
        }
        done += static_cast<size_t>(n);
    }
    if (ops.fsync(fd) != 0) return fail("cannot write");
    const int closed = ops.close(fd);
    fd = -1;
    if (closed != 0) return fail("cannot write");
    if (ops.rename(temporary.c_str(), target.c_str()) != 0) {
        const int e = errno;
        ::unlink(temporary.c_str());
        error = Failure("cannot replace", path, e);
        return false;
    }
    return true;
}

int RemoveStaleTemporaries(const std::string& path, int64_t minimumAgeSeconds) {
    std::string target;
    std::vector<std::filesystem::path> targets{path};
    if (ResolveLinks(path, target) && target != path) targets.emplace_back(target);
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    int removed = 0;
    for (const std::filesystem::path& t : targets) {
        const std::string name = t.filename().string();
        std::error_code ec;
        const std::filesystem::path folder = t.has_parent_path() ? t.parent_path() : std::filesystem::path(".");
        for (auto it = std::filesystem::directory_iterator(folder, ec);
             !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
            const std::string entry = it->path().string();
            struct stat st {};
            // Only our own names, only regular files (never through a link),
            // and none a save running now may still be writing.
            if (!IsTemporaryName(it->path().filename().string(), name) || ::lstat(entry.c_str(), &st) != 0 ||
                !S_ISREG(st.st_mode) || now - static_cast<int64_t>(st.st_mtime) < minimumAgeSeconds)
                continue;
            if (::unlink(entry.c_str()) == 0) ++removed;
        }
    }
    return removed;
}

bool ReadRegularFile(const std::string& path, size_t limit, std::string& content, std::string& error) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = Failure("cannot read", path, errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        error = "not a regular file: " + path;
        return false;
    }
    // Never more than the limit and one byte, whatever the file claims.
    std::string text(limit + 1, '\0');
    size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int e = errno;
            ::close(fd);
            error = Failure("cannot read", path, e);
            return false;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    if (got > limit) {
        error = "file too large: " + path;
        return false;
    }
    text.resize(got);
    content.swap(text);
    return true;
}

}  // namespace vx
