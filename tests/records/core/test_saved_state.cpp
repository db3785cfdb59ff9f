// The saved-state file: its 26 values, reading back, damaged files, and
// replacing the old file only with a complete new one.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "DecimalComma.h"
#include "Moment.h"
#include "SavedState.h"

namespace vx {
namespace {

SavedState Sample() {
    SavedState s;
    s.moment = 2452275.1027777777;
    s.currentCalendar = 8;
    s.moveForward = false;
    s.next = false;
    s.greenwich = true;
    s.moveStep = 17;
    s.searchTarget = 13;
    s.timeZone = 35;
    s.refreshPeriod = 0;
    s.repeatedly = true;
    s.logResults = true;
    s.eclipseData = "Central total solar eclipse\r\nLunation number = 218\r\nSaros number = 145\r\n";
    s.logFormatCalendarDate = false;
    s.include[3] = false;
    s.include[10] = false;
    return s;
}

TEST(SavedStateFile, TheValuesAsWritten) {
    const std::string text = FormatSavedState(Sample());
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    // 26 values; the eclipse caption keeps its own line breaks inside its quotes.
    ASSERT_EQ(lines.size(), 29u);
    EXPECT_EQ(lines[0], "2452275.1027777777\r");
    EXPECT_EQ(lines[1], "8\r");
    EXPECT_EQ(lines[2], "0\r");
    EXPECT_EQ(lines[3], "-1\r");
    EXPECT_EQ(lines[5], "-1\r");
    EXPECT_EQ(lines[6], "17\r");
    EXPECT_EQ(lines[10], "1\r");
    EXPECT_EQ(lines[12], "\"Central total solar eclipse\r");
    EXPECT_EQ(lines[16], "\"Looking for something?\"\r");
    EXPECT_EQ(lines[17], "0\r");
    EXPECT_EQ(lines[28], "0\r");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    SavedState plain;
    std::istringstream in2(FormatSavedState(plain));
    int count = 0;
    for (std::string l; std::getline(in2, l);) ++count;
    EXPECT_EQ(count, 26) << "26 lines with an empty eclipse label";
}

TEST(SavedStateFile, ReadsBackWhatWasWritten) {
    const SavedState s = Sample();
    SavedState back;
    ASSERT_EQ(ReadSavedState(FormatSavedState(s), back), 26);
    EXPECT_EQ(back.moment, s.moment);
    EXPECT_EQ(back.currentCalendar, 8);
    EXPECT_FALSE(back.moveForward);
    EXPECT_TRUE(back.plus);
    EXPECT_FALSE(back.next);
    EXPECT_TRUE(back.greenwich);
    EXPECT_EQ(back.searchTarget, 13);
    EXPECT_EQ(back.timeZone, 35);
    EXPECT_FALSE(back.repeatedly) << "never restored";
    EXPECT_EQ(back.eclipseData, s.eclipseData);
    EXPECT_FALSE(back.logFormatCalendarDate);
    EXPECT_EQ(back.include, s.include);
}

// Each list's last item reads back and the one after it stops the reading;
// a number line may have 40 characters, not 41.
TEST(SavedStateFile, TheListsLastItemsAndTheLongestNumber) {
    const char* head = "2451545\r\n0\r\n-1\r\n-1\r\n-1\r\n0\r\n";
    const int last[4] = {18, 17, 48, 4};  // step units, targets, zones, refresh periods
    for (int i = 0; i < 4; ++i) {
        std::string values;
        for (int j = 0; j < i; ++j) values += "0\r\n";
        SavedState s;
        EXPECT_EQ(ReadSavedState(head + values + std::to_string(last[i]) + "\r\n", s), 7 + i) << i;
        const int read[4] = {s.moveStep, s.searchTarget, s.timeZone, s.refreshPeriod};
        EXPECT_EQ(read[i], last[i]);
        EXPECT_EQ(ReadSavedState(head + values + std::to_string(last[i] + 1) + "\r\n", s), 6 + i) << i;
    }
    SavedState s;
    const std::string forty = "2451545." + std::string(32, '5');
    ASSERT_EQ(forty.size(), 40u);
    EXPECT_EQ(ReadSavedState(forty + "\r\n", s), 1);
    EXPECT_EQ(ReadSavedState(forty + "5\r\n", s), 0);
}

TEST(SavedStateFile, DamagedFilesStopAtTheFirstBadValue) {
    std::string text = FormatSavedState(Sample());
    SavedState s;
    // Cut after the tenth line.
    size_t pos = 0;
    for (int i = 0; i < 10; ++i) pos = text.find('\n', pos) + 1;
    EXPECT_EQ(ReadSavedState(text.substr(0, pos), s), 10);
    EXPECT_EQ(s.refreshPeriod, 0);
    EXPECT_EQ(ReadSavedState("", s), 0);
    EXPECT_EQ(ReadSavedState("abc\r\n", s), 0);
    EXPECT_EQ(ReadSavedState("2451545\r\n9\r\n", s), 1) << "a calendar index outside 0..8";
    EXPECT_EQ(ReadSavedState("inf\r\n", s), 0);
    EXPECT_EQ(ReadSavedState("2451545\r\n0\r\n-1\r\n-1\r\n-1\r\n0\r\n19\r\n", s), 6) << "step index outside the list";
    // Flags are 16-bit integers, as the program writes them.
    EXPECT_EQ(ReadSavedState("2451545\r\n0\r\n32767\r\n-32768\r\n32768\r\n", s), 4);
    EXPECT_EQ(ReadSavedState("2451545\r\n0\r\n-32769\r\n", s), 2);
    SavedState plainState;
    plainState.moment = 2451545.0;
    std::string quote = FormatSavedState(plainState);
    const size_t q = quote.find("\"\"");
    quote.replace(q, 2, "\"an \"inner\" quote\"");
    EXPECT_EQ(ReadSavedState(quote, s), 26) << "a quote inside the text survives";
    EXPECT_EQ(s.eclipseData, "an \"inner\" quote");
    // A file cut right after the eclipse label's carriage return (its line
    // feed lost) still has the label; cut inside the label, it does not.
    size_t labelEnd = 0;
    for (int i = 0; i < 13; ++i) labelEnd = quote.find('\n', labelEnd) + 1;
    ASSERT_EQ(quote[labelEnd - 2], '\r');
    EXPECT_EQ(ReadSavedState(quote.substr(0, labelEnd - 1), s), 13);
    EXPECT_EQ(s.eclipseData, "an \"inner\" quote");
    EXPECT_EQ(ReadSavedState(quote.substr(0, labelEnd - 3), s), 12);
}

TEST(SavedStateFile, RandomAndMutatedFilesNeverCrash) {
    std::mt19937 rng(4404);
    const std::string good = FormatSavedState(Sample());
    for (int i = 0; i < 20000; ++i) {
        std::string text = good;
        const int edits = 1 + static_cast<int>(rng() % 8);
        for (int e = 0; e < edits; ++e) {
            const size_t pos = rng() % (text.size() + 1);
            switch (rng() % 4) {
                case 0:
                    text.insert(pos, 1, static_cast<char>(rng() % 256));
                    break;
                case 1:
                    if (pos < text.size()) text.erase(pos, 1 + rng() % 20);
                    break;
                case 2:
                    text.insert(pos, std::string(rng() % 60, '9'));
                    break;
                default:
                    text = text.substr(0, pos);
                    break;
            }
        }
        SavedState s;
        const int n = ReadSavedState(text, s);
        ASSERT_GE(n, 0);
        ASSERT_LE(n, 26);
        if (n >= 2) {
            ASSERT_GE(s.currentCalendar, 0);
            ASSERT_LE(s.currentCalendar, 8);
        }
    }
}

TEST(SavedStateFile, ASaveReplacesTheOldFileWhole) {
    const std::string path = ::testing::TempDir() + "vxrl-test.usr";
    std::string error;
    ASSERT_TRUE(WriteFileReplacing(path, "first\r\n", error)) << error;
    ASSERT_TRUE(WriteFileReplacing(path, "second\r\n", error)) << error;
    std::ifstream in(path, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "second\r\n");
    // A folder that cannot be written keeps the old file and says why.
    EXPECT_FALSE(WriteFileReplacing("/nonexistent-folder/vxrl.usr", "x", error));
    EXPECT_FALSE(error.empty());
    std::remove(path.c_str());
}

TEST(SavedStateFile, TheMomentIsAPlainDecimalInsideTheRange) {
    SavedState s;
    EXPECT_EQ(ReadSavedState("0x1.2b4c4p+21\r\n", s), 0) << "hexadecimal";
    EXPECT_EQ(ReadSavedState("2451545,125\r\n", s), 0) << "a decimal comma";
    EXPECT_EQ(ReadSavedState(" 2451545\r\n", s), 0);
    EXPECT_EQ(ReadSavedState("+2451545\r\n", s), 0);
    EXPECT_EQ(ReadSavedState("nan\r\n", s), 0);
    EXPECT_EQ(ReadSavedState("625332.9\r\n", s), 0) << "before -3000-01-01 12:00";
    EXPECT_EQ(ReadSavedState("3912515.01\r\n", s), 0) << "after 6000-01-01 12:00";
    EXPECT_EQ(ReadSavedState("24515450000\r\n", s), 0);
    EXPECT_EQ(ReadSavedState("625333\r\n", s), 1);
    EXPECT_EQ(ReadSavedState("3912515\r\n", s), 1);
    EXPECT_EQ(ReadSavedState("2.451545125e6\r\n", s), 1);
    EXPECT_EQ(s.moment, 2451545.125);
    // Every moment of the range comes back bit for bit.
    std::mt19937_64 rng(77);
    std::uniform_real_distribution<double> any(FirstSupportedMoment, LastSupportedMoment);
    for (int i = 0; i < 20000; ++i) {
        SavedState w;
        w.moment = any(rng);
        SavedState r;
        ASSERT_EQ(ReadSavedState(FormatSavedState(w), r), 26);
        ASSERT_EQ(r.moment, w.moment);
    }
}

TEST(SavedStateFile, LineElevenIsReadAndIgnored) {
    for (const char* value : {"0", "1", "-1", "7", "junk"}) {
        std::string text = FormatSavedState(Sample());
        size_t pos = 0;
        for (int i = 0; i < 10; ++i) pos = text.find('\n', pos) + 1;
        const size_t end = text.find('\r', pos);
        text.replace(pos, end - pos, value);
        SavedState s;
        EXPECT_EQ(ReadSavedState(text, s), 26) << value;
        EXPECT_FALSE(s.repeatedly);
    }
}

// The same bytes, and each read by the other, under a decimal-comma locale.
TEST(SavedStateFile, TheSameFileInEveryLocale) {
    bool missing = false;
    const std::string why = vxtest::PrepareDecimalCommaLocale(missing);
    if (missing) GTEST_SKIP() << why;
    ASSERT_EQ(why, "");
    SavedState sample = Sample();
    sample.moment = 2451545.125;
    const std::string inC = FormatSavedState(sample);
    ASSERT_TRUE(vxtest::UseDecimalCommaLocale());
    const std::string inGerman = FormatSavedState(sample);
    SavedState fromC, fromGerman;
    const int readC = ReadSavedState(inC, fromC);
    vxtest::UseCLocale();
    const int readGerman = ReadSavedState(inGerman, fromGerman);
    EXPECT_EQ(inGerman, inC);
    EXPECT_EQ(inC.substr(0, 13), "2451545.125\r\n");
    EXPECT_EQ(readC, 26);
    EXPECT_EQ(readGerman, 26);
    EXPECT_EQ(fromC.moment, 2451545.125);
    EXPECT_EQ(fromGerman.moment, 2451545.125);
}

class StateFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::path(::testing::TempDir()) / ("vx-state-" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string Content(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    size_t Entries() const {
        size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir_)) ++n;
        return n;
    }
    std::filesystem::path dir_;
};

TEST_F(StateFiles, OnlyRegularFilesAreReadAndNeverMoreThanTheLimit) {
    std::string text, error;
    const std::string fifo = Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(ReadRegularFile(fifo, 1 << 20, text, error)) << "a FIFO neither hangs nor reads";
    const std::string zero = Path("zero");
    std::filesystem::create_symlink("/dev/zero", zero);
    EXPECT_FALSE(ReadRegularFile(zero, 1 << 20, text, error));
    EXPECT_FALSE(ReadRegularFile(Path("missing"), 1 << 20, text, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(ReadRegularFile(dir_.string(), 1 << 20, text, error)) << "a folder";
    const std::string big = Path("big");
    std::ofstream(big, std::ios::binary) << std::string(101, 'x');
    EXPECT_FALSE(ReadRegularFile(big, 100, text, error));
    EXPECT_TRUE(ReadRegularFile(big, 101, text, error));
    EXPECT_EQ(text.size(), 101u);
    // A link to a regular file is that file.
    std::filesystem::create_symlink(big, Path("link"));
    EXPECT_TRUE(ReadRegularFile(Path("link"), 200, text, error));
    // A regular file whose reading fails (this process's own memory at
    // address 0) gives the reason.
    error.clear();
    EXPECT_FALSE(ReadRegularFile("/proc/self/mem", 100, text, error));
    EXPECT_EQ(error.rfind("cannot read /proc/self/mem: ", 0), 0u) << error;
}

TEST_F(StateFiles, APlantedLinkIsNeverFollowedAndAUsersLinkIsKept) {
    const std::string path = Path("vxrl.usr");
    const std::string victim = Path("victim");
    std::ofstream(victim, std::ios::binary) << "keep me";
    // Links at the names a naive save would use for its temporary file.
    std::filesystem::create_symlink(victim, path + ".new");
    std::filesystem::create_symlink(victim, path + ".tmp");
    std::string error;
    ASSERT_TRUE(WriteFileReplacing(path, "state\r\n", error)) << error;
    EXPECT_EQ(Content(victim), "keep me");
    EXPECT_EQ(Content(path), "state\r\n");
    EXPECT_EQ(Entries(), 4u) << "no temporary file is left behind";
    // The user keeps the state file elsewhere through a link of their own.
    const std::string real = Path("real-state");
    std::ofstream(real, std::ios::binary) << "old";
    const std::string linked = Path("linked.usr");
    std::filesystem::create_symlink("real-state", linked);
    ASSERT_TRUE(WriteFileReplacing(linked, "new", error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(linked));
    EXPECT_EQ(Content(real), "new");
}

// Only a regular file (or none) is replaced, also at the end of the user's
// links: a device node, a FIFO, a folder or a loop of links is refused, named
// as the user knows it, and left as it was.
TEST_F(StateFiles, NothingButARegularFileIsReplaced) {
    const std::string fifo = Path("fifo"), device = Path("null"), folder = Path("folder");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const bool haveDevice = ::mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;  // root only
    std::filesystem::create_directory(folder);
    std::filesystem::create_symlink("loop-b", Path("loop-a"));
    std::filesystem::create_symlink("loop-a", Path("loop-b"));
    const struct {
        const char* link;  // the state file, a link to target
        std::string target;
        mode_t type;
    } cases[] = {{"to-fifo", fifo, S_IFIFO},
                 {"to-device", device, S_IFCHR},
                 {"to-folder", folder, S_IFDIR},
                 {"to-link-to-fifo", Path("to-fifo"), S_IFIFO},
                 {"loop-a", "", 0}};
    for (const auto& c : cases) {
        if (c.type == S_IFCHR && !haveDevice) continue;
        if (!c.target.empty()) std::filesystem::create_symlink(c.target, Path(c.link));
        const size_t before = Entries();
        std::string error;
        EXPECT_FALSE(WriteFileReplacing(Path(c.link), "state\r\n", error)) << c.link;
        EXPECT_NE(error.find(Path(c.link)), std::string::npos) << error;
        struct stat st {};
        if (c.type != 0) {
            ASSERT_EQ(::stat(Path(c.link).c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & S_IFMT, c.type) << c.link;
        }
        EXPECT_EQ(Entries(), before) << c.link;
    }
    // The FIFO itself as the state file, and a dangling link, which a save
    // may make.
    std::string error;
    EXPECT_FALSE(WriteFileReplacing(fifo, "state", error));
    std::filesystem::create_symlink("made-by-save", Path("dangling"));
    EXPECT_TRUE(WriteFileReplacing(Path("dangling"), "state", error)) << error;
    EXPECT_EQ(Content(Path("made-by-save")), "state");
}

// A save killed before its rename leaves "vxrl.usr.tmpNNNN"; the next start
// removes such files of ours, and nothing else.
TEST_F(StateFiles, StaleTemporariesAreRemovedAtStart) {
    std::filesystem::create_directory(dir_ / "real");
    std::filesystem::create_symlink("real/target.usr", Path("vxrl.usr"));
    const std::string victim = Path("victim");
    std::ofstream(victim) << "keep";
    const struct {
        std::string name;
        bool old, removed;
    } cases[] = {{"vxrl.usr.tmp12345678", true, true},   {"vxrl.usr.tmp0", true, true},
                 {"real/target.usr.tmp42", true, true},  {"vxrl.usr.tmp77", false, false},
                 {"vxrl.usr.tmp123456789", true, false}, {"vxrl.usr.tmp", true, false},
                 {"vxrl.usr.tmp1a", true, false},        {"vxrl.usr.tmp-1", true, false},
                 {"other.usr.tmp5", true, false},        {"vxrl.usrtmp5", true, false},
                 {"real/vxrl.usr.tmp5", true, false}};
    for (const auto& c : cases) {
        std::ofstream(Path(c.name)) << "partial";
        if (c.old)
            std::filesystem::last_write_time(Path(c.name),
                                             std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5));
    }
    // Not regular files: a link (to a file of the user's) and a folder.
    std::filesystem::create_symlink(victim, Path("vxrl.usr.tmp31"));
    std::filesystem::create_directory(Path("vxrl.usr.tmp32"));
    EXPECT_EQ(RemoveStaleTemporaries(Path("vxrl.usr"), 60), 3);
    for (const auto& c : cases) EXPECT_EQ(std::filesystem::exists(Path(c.name)), !c.removed) << c.name;
    EXPECT_TRUE(std::filesystem::is_symlink(Path("vxrl.usr.tmp31")));
    EXPECT_TRUE(std::filesystem::is_directory(Path("vxrl.usr.tmp32")));
    EXPECT_EQ(Content(victim), "keep");
}

// Each system call of a save fails in turn: every failure is reported, the
// old file stays whole and no temporary file is left.
namespace injected {
int failing = 0;  // 1 write, 2 short write then failure, 3 fsync, 4 close, 5 rename,
                  // 6 every write short (7 bytes), 7 a write that writes nothing
int Open(const char* p, int f, int m) { return ::open(p, f, m); }
ssize_t Write(int fd, const void* d, size_t n) {
    if (failing == 1) return errno = ENOSPC, -1;
    if (failing == 6) return ::write(fd, d, std::min<size_t>(n, 7));
    if (failing == 7) return 0;
    if (failing == 2) {
        failing = 1;
        return ::write(fd, d, n / 2);
    }
    return ::write(fd, d, n);
}
int Fsync(int fd) { return failing == 3 ? (errno = EIO, -1) : ::fsync(fd); }
int Close(int fd) {
    const int r = ::close(fd);
    return failing == 4 ? (errno = EIO, -1) : r;
}
int Rename(const char* a, const char* b) { return failing == 5 ? (errno = EACCES, -1) : ::rename(a, b); }
}  // namespace injected

TEST_F(StateFiles, EveryFailureOfASaveIsReported) {
    const std::string path = Path("vxrl.usr");
    std::ofstream(path, std::ios::binary) << "previous";
    const FileOperations ops{injected::Open, injected::Write, injected::Fsync, injected::Close, injected::Rename};
    for (int failure = 1; failure <= 5; ++failure) {
        injected::failing = failure;
        std::string error;
        EXPECT_FALSE(WriteFileReplacing(path, std::string(1000, 'n'), error, ops)) << "failure " << failure;
        EXPECT_NE(error.find(" " + path + ": "), std::string::npos) << "names the user's file: " << error;
        EXPECT_EQ(error.find(".tmp"), std::string::npos) << error;
        EXPECT_EQ(Content(path), "previous") << "failure " << failure;
        EXPECT_EQ(Entries(), 1u) << "failure " << failure;
    }
    injected::failing = 0;
    std::string error;
    EXPECT_TRUE(WriteFileReplacing(path, "fine", error, ops)) << error;
    EXPECT_EQ(Content(path), "fine");
    // Short writes are continued to the end; a write that writes nothing is
    // a failure, not a loop.
    injected::failing = 6;
    std::string whole;
    for (int i = 0; i < 100; ++i) whole += std::to_string(i) + "\r\n";
    EXPECT_TRUE(WriteFileReplacing(path, whole, error, ops)) << error;
    EXPECT_EQ(Content(path), whole);
    injected::failing = 7;
    error.clear();
    EXPECT_FALSE(WriteFileReplacing(path, "lost", error, ops));
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_EQ(Content(path), whole);
    EXPECT_EQ(Entries(), 1u);
    injected::failing = 0;
}

}  // namespace
}  // namespace vx
