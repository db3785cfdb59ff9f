#include <QApplication>

#include "QtServices.h"
#include "frmMain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vx::QtMessageService messages;
    vx::SystemClock clock;
    vx::StandardAppData appData;
    vx::frmMain window({&messages, &clock, &appData});
    messages.SetParent(&window);
    window.Form_Load();
    return app.exec();
}
