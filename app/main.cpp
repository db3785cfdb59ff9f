#include <QApplication>

#include "QtServices.h"
#include "frmMain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vx::QtMessageService messages;
    vx::SystemClock clock;
    vx::StandardAppData appData;
    vx::SystemClipboard clipboard;
    vx::DesktopWebOpener web;
    vx::frmMain window({&messages, &clock, &appData, &clipboard, &web});
    messages.SetParent(&window);
    window.Form_Load();
    return app.exec();
}
