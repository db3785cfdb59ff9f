#include <QApplication>
#include <QIcon>
#include <QStandardPaths>
#include <algorithm>

#include "QtServices.h"
#include "frmMain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The window belongs to its menu entry: Wayland shells match the app id to
    // the desktop file, and X11 ones the WM_CLASS (the program's name, the
    // entry's StartupWMClass) or the window's own icon.
    QGuiApplication::setDesktopFileName(VX_APP_ID);
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128}) icon.addFile(QStringLiteral(":/icons/%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    vx::QtMessageService messages;
    vx::SystemClock clock;
    vx::StandardAppData appData;
    vx::SystemClipboard clipboard;
    vx::DesktopWebOpener web;
    vx::SaveFileDialog files;
    vx::frmMain window({&messages, &clock, &appData, &clipboard, &web, &files});
    const vx::InstanceSlot slot(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
    window.SetInstanceSlot(std::max(slot.Index(), 0));
    messages.SetParent(&window);
    window.Form_Load();
    return app.exec();
}
