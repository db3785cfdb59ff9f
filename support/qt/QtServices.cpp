#include "QtServices.h"

#include "DataFolder.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QStandardPaths>
#include <QDateTime>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLockFile>
#include <QMessageBox>
#include <QSpacerItem>
#include <QString>

namespace vx {

void PrepareMessageBox(QMessageBox& box, const std::string& title, const std::string& text, MessageIcon icon,
                       MessageButtons buttons) {
    // An empty title stays empty: given "", the platform would put the
    // program's name in the title bar.
    box.setWindowTitle(title.empty() ? QStringLiteral(" ") : QString::fromStdString(title));
    box.setText(QString::fromStdString(text));
    box.setIcon(icon == MessageIcon::Warning    ? QMessageBox::Warning
                : icon == MessageIcon::Question ? QMessageBox::Question
                                                : QMessageBox::Information);
    switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
    }
    // A box is as wide as its text needs, and a short text would leave the
    // title cut ("Invali...entry"): wide enough for the title in the title
    // bar's bold font, with room for the bar's icon and buttons.
    QFont bold = box.font();
    bold.setBold(true);
    const int titleWidth = QFontMetrics(bold).horizontalAdvance(QString::fromStdString(title)) + MessageTitleAllowance;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

MessageResult QtMessageService::Show(const std::string& title, const std::string& text, MessageIcon icon,
                                     MessageButtons buttons) {
    QMessageBox box(parent_);
    PrepareMessageBox(box, title, text, icon, buttons);
    switch (box.exec()) {
        case QMessageBox::Cancel:
            return MessageResult::Cancel;
        case QMessageBox::Yes:
            return MessageResult::Yes;
        case QMessageBox::No:
            return MessageResult::No;
        default:
            return MessageResult::Ok;
    }
}

InstanceSlot::InstanceSlot(const QString& folder) {
    // The lowest slot no running window holds; a lock left by a program
    // that died is stale (its process is gone) and taken over.
    for (int slot = 0; slot < 16; ++slot) {
        auto lock = std::make_unique<QLockFile>(folder + QStringLiteral("/vexaril-window-%1.lock").arg(slot));
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            index_ = slot;
            lock_ = std::move(lock);
            return;
        }
    }
}

InstanceSlot::~InstanceSlot() = default;

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

std::string SaveFileDialog::Choose(const std::string& title, const std::string& suggestedName) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), QString::fromStdString(title),
                                        folder + "/" + QString::fromStdString(suggestedName))
        .toStdString();
}

}  // namespace vx
