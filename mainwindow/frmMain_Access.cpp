// What a screen reader and the keyboard need: accessible names from the
// captions, the date lines and the time line reachable by Tab, and the
// current calendar marked by more than its colour.
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "DateLines.h"
#include "WindowStyle.h"
#include "frmMain.h"

namespace vx {

void ClickLabel::SetCurrent(bool current) {
    if (current == current_) return;
    current_ = current;
    QFont f = font();
    f.setBold(current);
    setFont(f);
    update();
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        emit copyRequested();
        return;
    }
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            emit clicked();
            return;
        }
    }
    QLabel::keyPressEvent(event);
}

void ClickLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    QPainter p(this);
    if (current_) {
        // A white triangle on the navy ground: 16:1, where the caption's
        // colour alone differs from its neighbours' by 1.67:1.
        const double mid = height() / 2.0, h = std::min(height() / 2.0 - 1, 5.0);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255));
        const QPointF tip[] = {{1, mid - h}, {1 + h * 1.4, mid}, {1, mid + h}};
        p.drawPolygon(tip, 3);
    }
    if (hasFocus()) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(255, 255, 255), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

namespace {

// A named drop-down list: Qt names a list on Linux by its current item and
// leaves the caption to a label relation, which a list without a caption
// label lacks; here the name is the list's own and the item its value.
class NamedListAccessible : public QAccessibleWidget {
public:
    explicit NamedListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}
    QString text(QAccessible::Text t) const override {
        auto* list = static_cast<QComboBox*>(widget());
        if (t == QAccessible::Name) return list->accessibleName();
        if (t == QAccessible::Value) return list->currentText();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(static_cast<QComboBox*>(widget())->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == static_cast<QComboBox*>(widget())->view() ? 0 : -1;
    }
    QStringList actionNames() const override { return {showMenuAction()}; }
    void doAction(const QString& action) override {
        if (action == showMenuAction()) static_cast<QComboBox*>(widget())->showPopup();
    }
};

// A value line: its caption is the name, the value it shows the value and
// the text, which a screen reader reads out and can move through.
class ValueLineAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ValueLineAccessible(QLabel* line) : QAccessibleWidget(line, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return Shown();
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                               : QAccessibleWidget::interface_cast(t);
    }
    // The text interface, read-only: no caret, no selection.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return Shown().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Shown().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QString Shown() const { return static_cast<QLabel*>(widget())->text(); }
};

QAccessibleInterface* NamedControlFactory(const QString&, QObject* object) {
    if (auto* list = qobject_cast<QComboBox*>(object))
        return list->isEditable() || list->accessibleName().isEmpty() ? nullptr : new NamedListAccessible(list);
    if (auto* line = qobject_cast<ClickLabel*>(object))
        return line->property("vxValueLine").toBool() ? new ValueLineAccessible(line) : nullptr;
    return nullptr;
}

QString NameOf(std::string_view caption) {
    QString name = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())).trimmed();
    if (name.endsWith(':')) name.chop(1);
    return name;
}

}  // namespace

void frmMain::DescribeControls() {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(NamedControlFactory);
        return true;
    }();
    (void)factoryInstalled;
    // The captions name their controls; a screen reader reads the caption
    // with the control.
    const std::pair<QLabel*, QWidget*> buddies[] = {{lblEnterDateTime, txbDate},
                                                    {lblDays, txbPlusMinus},
                                                    {lblTimeSystem, cboTimeZone},
                                                    {lblRefreshPeriod, cboRefreshPeriod}};
    for (const auto& [caption, control] : buddies) {
        caption->setBuddy(control);
        control->setAccessibleName(NameOf(caption->text().toStdString()));
    }
    cboTarget->setAccessibleName("Search for");
    cboMoveStep->setAccessibleName("Move step");
    cboHistory->setAccessibleName("History");
    // The value lines: the caption is the name, the shown value the text.
    std::vector<const LabelPair*> pairs = {&lblPhaseOfMoon, &lblAgeOfMoon, &lblTime, &lblDeltaT};
    for (int code : CalendarsInDisplayOrder()) pairs.push_back(&DateLine(code));
    for (const LabelPair* pair : pairs) {
        // Marked before it is named: naming it may make its interface.
        (*pair)[1]->setProperty("vxValueLine", true);
        (*pair)[1]->setAccessibleName(NameOf((*pair)[0]->text().toStdString()));
    }
    picCheck->setAccessibleName("Following the clock");
    picCheck->setAccessibleDescription("The display follows the clock");
    picMoon->setAccessibleName("Moon");
    lblActualEclipseData->setAccessibleName("Eclipse data");

    // The date box says what it takes.
    txbDate->setPlaceholderText("2003-12-31 CE 15:55");
    QString codes = "A date, with a time if wanted (not with AJD or CJD), in one of the calendars:";
    for (int code : CalendarsInDisplayOrder()) {
        const std::string_view text = CalendarOf(code).includeText;
        codes += "\n" + QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }
    txbDate->setToolTip(codes);
    SetUpValueLines();
}

// The date lines and the time line take the focus; Space, Enter and Ctrl+C
// act on the value. The captions keep room for the current one's marker.
void frmMain::SetUpValueLines() {
    std::vector<ClickLabel*> lines;
    for (int code : CalendarsInDisplayOrder()) lines.push_back(DateLine(code)[1]);
    lines.push_back(lblTime[1]);
    for (ClickLabel* line : lines) {
        line->setFocusPolicy(Qt::StrongFocus);
        connect(line, &ClickLabel::copyRequested, this, [this, line] {
            if (services_.clipboard == nullptr) return;
            services_.clipboard->Clear();
            services_.clipboard->SetText(LineValue(line));
        });
    }
    for (int code : CalendarsInDisplayOrder()) DateLine(code)[0]->setContentsMargins(ClickLabel::MarkerRoom, 0, 0, 0);
    // Room for the bold caption of the current calendar: marking it moves nothing.
    for (int code : CalendarsInDisplayOrder()) {
        ClickLabel* caption = DateLine(code)[0];
        QFont bold = caption->font();
        bold.setBold(true);
        caption->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(caption->text()) + ClickLabel::MarkerRoom + 2);
    }
}

std::string frmMain::LineValue(const ClickLabel* value) const {
    if (value == lblTime[1])
        return TimeLineText(ShownMinuteMoment(), Shown().AppliedZoneOffset, Shown().local, Shown().CurrentCalendar);
    for (int code : CalendarsInDisplayOrder())
        if (dateLines_[static_cast<size_t>(code)][1] == value)
            return CalendarLine(code, Shown().dblCurrentAJDate, EffectiveZoneOffset()).longText;
    return {};
}

}  // namespace vx
