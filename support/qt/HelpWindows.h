// The help window and the credits window it opens.
#pragma once

#include <QDialog>
#include <QWidget>
#include <functional>
#include <string>

class QPlainTextEdit;
class QPushButton;
class QTextBrowser;

namespace vx {

// The help text: the calendars with the pages that explain them (file
// addresses with the calendar's anchor), then how the program is used.
// docFolder: the documentation folder, ending in "/".
std::string HelpText(const std::string& docFolder);
// The address of a page of the documentation folder, with an anchor.
std::string DocumentAddress(const std::string& docFolder, const std::string& page, const std::string& anchor = {});

// What the help window asks of the program: open an address in the
// browser, and print the CLW months of the shown moment.
struct HelpActions {
    std::function<void(const std::string& address)> open;
    std::function<void()> printClwMonths;
};
std::string CreditsText();

class frmCredits : public QDialog {
public:
    explicit frmCredits(QWidget* parent = nullptr);
    QPlainTextEdit* txbMsg;
    QPushButton* cmdClose;
};

class frmHelp : public QWidget {
public:
    frmHelp(const std::string& docFolder, HelpActions actions, QWidget* parent = nullptr);
    // Shows the window, or restores it when minimised.
    void ShowHelp(const QRect& mainGeometry);
    void cmdCredit_Click();
    void cmdClose_Click();

    // The text, its addresses links that open in the browser.
    QTextBrowser* txbText;
    QPushButton *cmdCredit, *cmdPrintClwMonths, *cmdClose;
    frmCredits* credits = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HelpActions actions_;
};

}  // namespace vx
