// The main window's controls as the tests reach them: found by their object
// names, so the window keeps them private. A control missing under its name
// is a failure at once rather than a null pointer later.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <array>
#include <stdexcept>

#include "frmMain.h"

namespace vxtest {

template <typename T>
T* FindControl(const QObject& window, const QString& name) {
    T* control = window.findChild<T*>(name);
    if (!control) throw std::runtime_error("the window has no control named " + name.toStdString());
    return control;
}

struct WindowControls {
    explicit WindowControls(const vx::frmMain& w) : window(w) {}

    vx::LabelPair Pair(const char* name) const {
        return {FindControl<vx::ClickLabel>(window, QString(name) + "(0)"),
                FindControl<vx::ClickLabel>(window, QString(name) + "(1)")};
    }
    template <typename T>
    T* Get(const char* name) const {
        return FindControl<T>(window, QString::fromLatin1(name));
    }

    const vx::frmMain& window;
    QFrame *fraDates = Get<QFrame>("fraDates"), *fraTime = Get<QFrame>("fraTime"),
           *fraConvert = Get<QFrame>("fraConvert"), *fraSearch = Get<QFrame>("fraSearch"),
           *fraMove = Get<QFrame>("fraMove"), *fraStopPauseResume = Get<QFrame>("fraStopPauseResume"),
           *fraHistory = Get<QFrame>("fraHistory");
    vx::LabelPair lblCommonEraDate = Pair("lblCommonEraDate"), lblJulianCalendarDate = Pair("lblJulianCalendarDate"),
                  lblOmbrineLunarDate = Pair("lblOmbrineLunarDate"),
                  lblDornelVarrowSLCDate = Pair("lblDornelVarrowSLCDate"), lblVTCLunarDate = Pair("lblVTCLunarDate"),
                  lblVTCSolarDate = Pair("lblVTCSolarDate"), lblCorvaneLWCDate = Pair("lblCorvaneLWCDate"),
                  lblChronologicalJulianDate = Pair("lblChronologicalJulianDate"),
                  lblAstronomicalJulianDate = Pair("lblAstronomicalJulianDate"),
                  lblPhaseOfMoon = Pair("lblPhaseOfMoon"), lblAgeOfMoon = Pair("lblAgeOfMoon"),
                  lblTime = Pair("lblTime"), lblDeltaT = Pair("lblDeltaT");
    QPushButton* cmdNow = Get<QPushButton>("cmdNow");
    QLabel *picCheck = Get<QLabel>("picCheck"), *lblRefreshPeriod = Get<QLabel>("lblRefreshPeriod"),
           *lblSearching = Get<QLabel>("lblSearching"), *lblActualEclipseData = Get<QLabel>("lblActualEclipseData");
    vx::ClickLabel *lblOnlineDocumentation = Get<vx::ClickLabel>("lblOnlineDocumentation"),
                   *lblCorvaneSystems = Get<vx::ClickLabel>("lblCorvaneSystems");
    QRadioButton *optGreenwich = Get<QRadioButton>("optGreenwich"), *optLocal = Get<QRadioButton>("optLocal"),
                 *optPlus = Get<QRadioButton>("optPlus"), *optMinus = Get<QRadioButton>("optMinus"),
                 *optNext = Get<QRadioButton>("optNext"), *optPrevious = Get<QRadioButton>("optPrevious");
    std::array<QRadioButton*, 2> optMoveDirection{Get<QRadioButton>("optMoveDirection(0)"),
                                                  Get<QRadioButton>("optMoveDirection(1)")};
    QComboBox *cboTimeZone = Get<QComboBox>("cboTimeZone"), *cboTarget = Get<QComboBox>("cboTarget"),
              *cboMoveStep = Get<QComboBox>("cboMoveStep"), *cboRefreshPeriod = Get<QComboBox>("cboRefreshPeriod"),
              *cboHistory = Get<QComboBox>("cboHistory");
    QLineEdit *txbDate = Get<QLineEdit>("txbDate"), *txbPlusMinus = Get<QLineEdit>("txbPlusMinus");
    QPushButton *cmdCompute = Get<QPushButton>("cmdCompute"), *cmdClearDate = Get<QPushButton>("cmdClearDate"),
                *cmdReset = Get<QPushButton>("cmdReset"), *cmdSearch = Get<QPushButton>("cmdSearch"),
                *cmdMove = Get<QPushButton>("cmdMove"), *cmdStop = Get<QPushButton>("cmdStop"),
                *cmdPauseResume = Get<QPushButton>("cmdPauseResume"),
                *cmdLogThisResult = Get<QPushButton>("cmdLogThisResult"), *cmdViewLog = Get<QPushButton>("cmdViewLog"),
                *cmdLogPreferences = Get<QPushButton>("cmdLogPreferences"),
                *cmdSaveState = Get<QPushButton>("cmdSaveState"), *cmdHelp = Get<QPushButton>("cmdHelp"),
                *cmdQuit = Get<QPushButton>("cmdQuit");
    QCheckBox *chkRepeatedly = Get<QCheckBox>("chkRepeatedly"), *chkLog = Get<QCheckBox>("chkLog");
    vx::MoonPictureBox* picMoon = Get<vx::MoonPictureBox>("picMoon");
    QTimer* Clock = Get<QTimer>("Clock");
};

}  // namespace vxtest
