// The whole Convert path in the real window (offscreen): from the Enter key
// in the entry box to every label and the moon picture updated.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <cstdlib>

#include "LogWindows.h"
#include "MoonDisplay.h"
#include "Services.h"
#include "frmMain.h"

namespace {

class SilentMessages : public vx::MessageService {
public:
    vx::MessageResult Show(const std::string&, const std::string&, vx::MessageIcon, vx::MessageButtons) override {
        return vx::MessageResult::Ok;
    }
};

class StillClock : public vx::ClockService {
public:
    vx::ClockReading Now() override { return {2011, 12, 11, 14, 28, 0}; }
};

void BM_ConvertInTheWindow(benchmark::State& state) {
    SilentMessages messages;
    StillClock clock;
    vx::frmMain window({&messages, &clock, nullptr});
    window.Form_Load();
    const char* entries[] = {"2003-12-31 CE 15:55", "2003-12-24 CE 15:55"};  // alternate: never "Nothing to do!"
    auto* entry = window.findChild<QLineEdit*>("txbDate");
    int i = 0;
    for (auto _ : state) {
        entry->setText(entries[i++ & 1]);
        QTest::keyClick(entry, Qt::Key_Return);
    }
}
BENCHMARK(BM_ConvertInTheWindow)->Unit(benchmark::kMillisecond);

// One step of a Move as a repeated Move makes it at every tick: the step, all
// nine calendars, the moon panel, and the Moon drawn again at 200 %. At the
// 0.2 s period the processor is busy this long of every 200 ms.
void BM_MoveStepInTheWindow(benchmark::State& state) {
    SilentMessages messages;
    StillClock clock;
    vx::frmMain window({&messages, &clock, nullptr});
    window.Form_Load();
    auto* entry = window.findChild<QLineEdit*>("txbDate");
    auto* move = window.findChild<QPushButton*>("cmdMove");
    entry->setText("2003-12-31 CE 15:55");
    QTest::keyClick(entry, Qt::Key_Return);
    for (auto _ : state) {
        move->click();
        benchmark::DoNotOptimize(vx::RenderMoonDisplay(vx::DisplaySourceOf(window.Painter()), 360));
    }
}
BENCHMARK(BM_MoveStepInTheWindow)->Unit(benchmark::kMillisecond);

// A keystroke in the log window holding a 4 MB log (the log's capacity),
// and, apart, the next entry after the edit, which reads the edited text
// back once.
void BM_KeystrokeInA4MBLog(benchmark::State& state) {
    SilentMessages messages;
    vx::LogBook book;
    std::string text;
    const std::string line = "2003-12-31 CE (Wednesday, December 31, 2003)  Phase of Moon: Full moon\r\n";
    while (text.size() + line.size() <= book.Capacity()) text += line;
    book.SetText(text);
    vx::frmLog log(
        book, vx::Services{&messages}, [] {}, [] {});
    log.show();
    log.txbText->setFocus();
    log.txbText->moveCursor(QTextCursor::End);
    int i = 0;
    for (auto _ : state) QTest::keyClick(log.txbText, (i++ & 1) ? Qt::Key_Backspace : Qt::Key_X);
    state.counters["log_MB"] = static_cast<double>(book.Text().size()) / (1 << 20);
}
BENCHMARK(BM_KeystrokeInA4MBLog)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
