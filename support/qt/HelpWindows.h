// The help window and the credits window it opens.
#pragma once

#include <QDialog>
#include <QWidget>
#include <string>

class QPlainTextEdit;
class QPushButton;

namespace vx {

// The help text: the calendars with the pages that explain them, then how
// the program is used. docFolder: the address of the documentation folder,
// ending in "/".
std::string HelpText(const std::string& docFolder);
std::string CreditsText();

class frmCredits : public QDialog {
public:
    explicit frmCredits(QWidget* parent = nullptr);
    QPlainTextEdit* txbMsg;
    QPushButton* cmdClose;
};

class frmHelp : public QWidget {
public:
    explicit frmHelp(const std::string& docFolder, QWidget* parent = nullptr);
    // Shows the window, or restores it when minimised.
    void ShowHelp(const QRect& mainGeometry);
    void cmdCredit_Click();
    void cmdClose_Click();

    QPlainTextEdit* txbText;
    QPushButton *cmdCredit, *cmdClose;
    frmCredits* credits = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace vx
