// The keyboard and the focus: Enter, F1 and Tab, the drop-down lists that
// act on a choice, and where the focus goes after a command.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QMouseEvent>
#include <QRadioButton>
#include <QWheelEvent>
#include <algorithm>
#include <optional>
#include <vector>

#include "TextHelpers.h"
#include "frmMain.h"

namespace vx {

// Enter, F1 and Tab.
void frmMain::SetUpKeyboard() {
    // The eclipse data opens its map: a click, or Ctrl+M (keyPressEvent).
    lblActualEclipseData->installEventFilter(this);
    for (QWidget* w : std::initializer_list<QWidget*>{txbDate, txbPlusMinus}) w->installEventFilter(this);
    // Every button: Enter presses it (F1 on Move and Help opens help).
    for (QPushButton* b : findChildren<QPushButton*>()) b->installEventFilter(this);
    for (QComboBox* list : {cboTimeZone, cboTarget, cboMoveStep, cboRefreshPeriod, cboHistory})
        list->installEventFilter(this);
    // Tab follows what the eye reads: the date lines and Now at the top, the
    // time line, the commands on the left from top to bottom, then the
    // history column.
    std::vector<QWidget*> order;
    for (int code : CalendarsInDisplayOrder()) order.push_back(DateLine(code)[1]);
    const QWidget* rest[] = {cmdNow,
                             lblTime[1],
                             optGreenwich,
                             optLocal,
                             cboTimeZone,
                             txbDate,
                             cmdCompute,
                             cmdClearDate,
                             optPlus,
                             optMinus,
                             txbPlusMinus,
                             cmdReset,
                             cmdSearch,
                             optNext,
                             optPrevious,
                             cboTarget,
                             cmdMove,
                             cboMoveStep,
                             optMoveDirection[0],
                             optMoveDirection[1],
                             chkRepeatedly,
                             cmdStop,
                             cmdPauseResume,
                             cboRefreshPeriod,
                             cboHistory,
                             chkLog,
                             cmdLogThisResult,
                             cmdViewLog,
                             cmdLogPreferences,
                             cmdSaveState,
                             cmdHelp,
                             cmdQuit};
    for (const QWidget* w : rest) order.push_back(const_cast<QWidget*>(w));
    for (size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

// The time line follows the model on its own; only the focus goes back.
void frmMain::SetTheFocus() {
    if (isVisible() && fraConvert->isEnabled()) FocusDateEntry();
}

void frmMain::FocusDateEntry() {
    if (HoldFocus) return;
    if (txbDate->isEnabled()) {
        txbDate->setFocus();
        txbDate->setCursorPosition(static_cast<int>(txbDate->text().size()));
    } else {
        cmdQuit->setFocus();
    }
}

void frmMain::FocusMoveOrQuit() {
    if (!isVisible() || HoldFocus) return;
    if (cmdMove->isEnabled())
        cmdMove->setFocus();
    else
        cmdQuit->setFocus();
}

void frmMain::FocusSearchOrQuit() {
    if (HoldFocus) return;
    if (cmdSearch->isEnabled())
        cmdSearch->setFocus();
    else
        cmdQuit->setFocus();
}

// How far a key moves a closed list's selection; nullopt when the key is not
// the list's. Enter chooses the selection; a typed letter moves to the next
// item that starts with it (0 when none does).
std::optional<int> frmMain::ListKeyStep(QComboBox* list, const QKeyEvent* key) {
    if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return std::nullopt;  // Alt+Down opens the list
    switch (key->key()) {
        case Qt::Key_Up:
            return -1;
        case Qt::Key_Down:
            return 1;
        case Qt::Key_PageUp:
            return -10;
        case Qt::Key_PageDown:
            return 10;
        case Qt::Key_Home:
            return -list->count();
        case Qt::Key_End:
            return list->count();
        case Qt::Key_Return:
        case Qt::Key_Enter:
            ChooseFromList(list, false);
            return 0;
        default:
            break;
    }
    const QString typed = key->text();
    if (typed.size() != 1 || !typed[0].isPrint() || typed[0].isSpace()) return std::nullopt;
    for (int i = 1; i <= list->count(); ++i) {
        const int at = (list->currentIndex() + i) % list->count();
        if (list->itemText(at).startsWith(typed, Qt::CaseInsensitive)) return at - list->currentIndex();
    }
    return 0;
}

bool frmMain::ListChoiceEvent(QComboBox* list, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::Wheel && type != QEvent::KeyPress && type != QEvent::FocusOut) return false;
    // Asked only now: the list's view is made on first use, with events of its own.
    const bool closed = !list->view()->isVisible();
    int step = 0;
    if (type == QEvent::Wheel && closed) {
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        step = delta > 0 ? -1 : delta < 0 ? 1 : 0;
        if (step != 0) list->setFocus(Qt::MouseFocusReason);
    } else if (type == QEvent::KeyPress && closed) {
        const std::optional<int> keyStep = ListKeyStep(list, static_cast<QKeyEvent*>(event));
        if (!keyStep) return false;
        step = *keyStep;
    } else {
        if (type == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason &&
            PendingList == list)
            ChooseFromList(list, true);
        return false;
    }
    if (step == 0) return true;
    const int index = std::clamp(list->currentIndex() + step, 0, std::max(0, list->count() - 1));
    if (index != list->currentIndex()) {
        // Only the selection moves: the handler runs when the user chooses.
        list->blockSignals(true);
        list->setCurrentIndex(index);
        list->blockSignals(false);
        PendingList = list;
    }
    return true;
}

void frmMain::ChooseFromList(QComboBox* list, bool focusLeaving) {
    const bool moved = PendingList == list;
    PendingList = nullptr;
    // Enter on a list whose item was not moved chooses nothing new: only the
    // lists that are read later refocus as a choice from the open list does.
    if (!moved && (focusLeaving || list == cboTimeZone || list == cboHistory)) return;
    HoldFocus = focusLeaving;
    if (list == cboTimeZone)
        cboTimeZone_Click();
    else if (list == cboHistory)
        cboHistory_Click();
    else if (list == cboTarget)
        SetTheFocus();
    else if (list == cboMoveStep)
        FocusMoveOrQuit();
    else if (list == cboRefreshPeriod)
        cboRefreshPeriod_Click();
    HoldFocus = false;
}

// Ctrl+M and Ctrl+L, wherever the focus is in the window (no control takes
// them).
void frmMain::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_M && event->modifiers() == Qt::ControlModifier) {
        OpenMap();
        return;
    }
    if (event->key() == Qt::Key_L && event->modifiers() == Qt::ControlModifier) {
        OpenSky();
        return;
    }
    // Escape stops a repeated Move, as its Stop button does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && MoveRunning) {
        cmdStop_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

// F1, released wherever the focus is in the window, opens the help (the
// controls that do not take the key pass it up to here).
void frmMain::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && !event->isAutoRepeat()) {
        cmdHelp_Click();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblActualEclipseData) {
        if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            OpenMap();
        return QWidget::eventFilter(watched, event);
    }
    if (auto* list = qobject_cast<QComboBox*>(watched))
        return ListChoiceEvent(list, event) || QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        (watched == txbDate || watched == txbPlusMinus || watched == cmdMove || watched == cmdHelp)) {
        cmdHelp_Click();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (auto* button = qobject_cast<QPushButton*>(watched)) {
                if (button->isEnabled()) button->click();
                return true;
            }
            if (watched == txbDate && !txbDate->text().isEmpty()) cmdCompute_Click();
            if (watched == txbPlusMinus && !txbDate->text().isEmpty() && !txbPlusMinus->text().isEmpty())
                cmdCompute_Click();
            return true;  // swallowed
        }
    } else if (event->type() == QEvent::FocusOut && watched == txbDate) {
        txbDate->setText(QString::fromStdString(Trim(txbDate->text().toStdString())));
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vx
