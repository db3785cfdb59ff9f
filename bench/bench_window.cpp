// The whole Convert path in the real window (offscreen): from the Enter key
// in the entry box to every label and the moon picture updated.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <cstdlib>

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
    vx::LocalDateTime Now() override { return {2011, 12, 11, 14, 28, 0}; }
};

void BM_ConvertInTheWindow(benchmark::State& state) {
    SilentMessages messages;
    StillClock clock;
    vx::frmMain window({&messages, &clock, nullptr});
    window.Form_Load();
    const char* entries[] = {"2003-12-31 CE 15:55", "2003-12-24 CE 15:55"};  // alternate: never "Nothing to do!"
    int i = 0;
    for (auto _ : state) {
        window.txbDate->setText(entries[i++ & 1]);
        QTest::keyClick(window.txbDate, Qt::Key_Return);
    }
}
BENCHMARK(BM_ConvertInTheWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
