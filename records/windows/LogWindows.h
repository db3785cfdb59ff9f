// The log window (the log text, copy, clear, close) and the log preferences
// window. Both are created on first use and hidden by Close; closing the log
// window through its title bar discards the log.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "Records.h"
#include "Services.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace vx {

class frmLog : public QWidget {
public:
    // log: the one log text, shown live and edited here; onLogEmptied runs
    // when the window is closed through its title bar or cleared (the main
    // window's buttons).
    frmLog(LogBook& log, Services services, std::function<void()> onLogEmptied, std::function<void()> onClose,
           QWidget* parent = nullptr);
    ~frmLog() override;

    void ShowLog(const std::string& mainTitle);
    void cmdCopyToClipboard_Click();
    // Asks "Erase all data in the log?"; true when the log was cleared.
    bool cmdClear_Click();
    void cmdClose_Click();
    // Writes the log, CR LF as it is kept, through a temporary file to a
    // file the user picks; a failure is said in a message box.
    void cmdSave_Click();
    void UpdateCopyCaption();

    QPlainTextEdit* txbText;
    QPushButton *cmdCopyToClipboard, *cmdSave, *cmdClear, *cmdClose;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowChange(const std::string* appended);
    LogBook& log_;
    Services services_;
    std::function<void()> onLogEmptied_, onClose_;
    bool updating_ = false;  // the box is being set from the log
};

class frmLogPreferences : public QWidget {
public:
    // prefs: the one set of preferences, shown live and edited here.
    frmLogPreferences(LogPreferenceStore& prefs, std::function<void()> onClose, QWidget* parent = nullptr);
    ~frmLogPreferences() override;
    void ShowPreferences();
    void cmdSetAll_Click();
    void cmdClearAll_Click();

    // In the boxes' order: CE, JC, OLC, DV, LVT, SVT, CJD, AJD, phase, lunation and age, CLW.
    std::array<QCheckBox*, IncludeBoxCount> include;
    std::array<QRadioButton*, 2> optLogFormat;
    QPushButton *cmdSetALL, *cmdClearAll, *cmdClose;

private:
    void Load();
    LogPreferenceStore& prefs_;
    std::function<void()> onClose_;
};

}  // namespace vx
