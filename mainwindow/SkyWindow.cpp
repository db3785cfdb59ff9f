#include "SkyWindow.h"

#include <QCompleter>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vx {

frmSky::frmSky(const std::vector<std::string>& zoneNames, std::function<std::string(const std::string&)> apply,
               QWidget* parent)
    : QWidget(parent, Qt::Window), apply_(std::move(apply)) {
    setWindowTitle("Sky from here");
    auto* caption = new QLabel("&Place", this);
    cboPlace = new QComboBox(this);
    cboPlace->setEditable(true);
    cboPlace->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& name : zoneNames) cboPlace->addItem(QString::fromStdString(name));
    cboPlace->setCurrentIndex(-1);
    // Typing finds a place by any part of its name.
    cboPlace->completer()->setFilterMode(Qt::MatchContains);
    cboPlace->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    cboPlace->completer()->setCompletionMode(QCompleter::PopupCompletion);
    cboPlace->lineEdit()->setPlaceholderText("Europe/Berlin, or 52.52,13.40,34");
    cboPlace->setToolTip("A place of the time-zone database, or LAT,LON[,HEIGHT_M] in degrees and metres");
    cboPlace->setAccessibleName("Place");
    caption->setBuddy(cboPlace);
    lblPlaceError = new QLabel(this);
    lblPlaceError->setTextFormat(Qt::PlainText);
    lblPlaceError->setAccessibleName("Place error");
    lblSky = new QLabel(this);
    lblSky->setTextFormat(Qt::PlainText);
    lblSky->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    lblSky->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblSky->setAccessibleName("Sky from here");
    cmdClose = new QPushButton("Close", this);
    auto* placeRow = new QHBoxLayout;
    placeRow->addWidget(caption);
    placeRow->addWidget(cboPlace, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(placeRow);
    layout->addWidget(lblPlaceError);
    layout->addWidget(lblSky, 1);
    layout->addLayout(buttons);
    resize(520, 380);
    connect(cboPlace->lineEdit(), &QLineEdit::returnPressed, this, &frmSky::Apply);
    connect(cboPlace, &QComboBox::activated, this, [this](int) { Apply(); });
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::hide);
}

void frmSky::Apply() {
    const std::string error = apply_(cboPlace->currentText().trimmed().toStdString());
    lblPlaceError->setText(QString::fromStdString(error));
}

// NOLINTNEXTLINE(readability-make-member-function-const): it changes what the window shows
void frmSky::ShowSky(const std::string& placeText, const std::vector<std::string>& lines) {
    if (!cboPlace->lineEdit()->hasFocus()) cboPlace->setEditText(QString::fromStdString(placeText));
    QString text;
    for (const std::string& line : lines) text += QString::fromStdString(line) + "\n";
    lblSky->setText(placeText.empty() ? QString("No place set: choose one above to see the sky from it.")
                                      : text.trimmed());
}

void frmSky::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace vx
