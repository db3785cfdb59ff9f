// The whole Convert path in the real window (offscreen): from the Enter key
// in the entry box to every label and the moon picture updated.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdlib>

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

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
