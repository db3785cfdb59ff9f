#include "QtServices.h"

#include "DataFolder.h"

#include <QClipboard>
#include <QDateTime>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>
#include <QMessageBox>
#include <QString>

namespace vx {

MessageResult QtMessageService::Show(const std::string& title, const std::string& text, MessageIcon icon,
                                     MessageButtons buttons) {
    QMessageBox box(parent_);
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(QString::fromStdString(text));
    box.setIcon(icon == MessageIcon::Warning ? QMessageBox::Warning
                : icon == MessageIcon::Question ? QMessageBox::Question
                                                : QMessageBox::Information);
    switch (buttons) {
        case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case MessageButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case MessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    }
    switch (box.exec()) {
        case QMessageBox::Cancel: return MessageResult::Cancel;
        case QMessageBox::Yes: return MessageResult::Yes;
        case QMessageBox::No: return MessageResult::No;
        default: return MessageResult::Ok;
    }
}

ClockReading SystemClock::Now() {
    // One reading: the UTC time and the system's offset of the same instant.
    const QDateTime local = QDateTime::currentDateTime();
    const QDateTime utc = local.toUTC();
    const QDate d = utc.date();
    const QTime t = utc.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), local.offsetFromUtc() / 60};
}

}  // namespace vx

namespace vx {

std::string StandardAppData::Folder() { return UserDataFolder(); }

}  // namespace vx

namespace vx {

void SystemClipboard::Clear() { QGuiApplication::clipboard()->clear(); }

void SystemClipboard::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

int DesktopWebOpener::Open(const std::string& address) {
    const QUrl url = QUrl::fromUserInput(QString::fromStdString(address));
    if (!url.isValid()) return 2;
    // Qt says only whether a handler took the address: map a refusal to
    // "no program associated", the nearest of the shell's answers.
    return QDesktopServices::openUrl(url) ? 42 : 31;
}

}  // namespace vx
