// The Convert command, the entry boxes and the plus/minus options.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <cmath>

#include "DateLines.h"
#include "TextHelpers.h"
#include "frmMain.h"

namespace vx {

DateEntryResult frmMain::ReadEntry(const std::string& text, bool fromHistory) {
    DateEntryInputs inputs;
    inputs.currentCalendar = Shown().CurrentCalendar;
    inputs.zoneOffset = EffectiveZoneOffset();
    inputs.fromHistory = fromHistory;
    inputs.plusMinus = txbPlusMinus->text().toStdString();
    inputs.shownDate = WrittenDate(Shown().CurrentCalendar);
    DateEntryResult result = ParseDateEntry(text, inputs);
    if (!fromHistory) txbDate->setText(QString::fromStdString(result.entryText));
    return result;
}

void frmMain::ShowDateEntryError(DateEntryError code) const {
    services_.messages->Show(std::string(DateEntryErrorTitle), DateEntryErrorMessage(code), MessageIcon::Warning,
                             MessageButtons::Ok);
}

bool frmMain::CheckRange(double moment) const {
    const RangeVerdict verdict = CheckSupportedRange(moment);
    if (verdict == RangeVerdict::InRange) return true;
    services_.messages->Show(std::string(RangeMessageTitle), std::string(RangeMessage(verdict)), MessageIcon::Warning,
                             MessageButtons::Ok);
    return false;
}

void frmMain::cmdCompute_Click() {
    txbDate->setText(QString::fromStdString(Trim(txbDate->text().toStdString())));
    if (txbDate->text().isEmpty()) {
        ShowDateEntryError(EntryError::NoDate);
        return;
    }
    std::string plusMinus = Trim(txbPlusMinus->text().toStdString());
    StripLeading(plusMinus, "0");
    // "-", "+" or "." alone is no number of days: the box counts as empty.
    if (plusMinus.find_first_of("0123456789") == std::string::npos &&
        plusMinus.find_first_not_of("+-.,") == std::string::npos)
        plusMinus.clear();
    txbPlusMinus->setText(QString::fromStdString(plusMinus));

    DateEntryResult result;
    result.error = EntryError::BadPlusMinus;
    if (plusMinus.empty() || IsNumericText(plusMinus)) result = ReadEntry(txbDate->text().toStdString(), false);
    if (result.error >= 1) {
        ShowDateEntryError(result.error);
        SetTheFocus();
        return;
    }
    double value = result.moment;
    double n = 0;
    // The entry's calendar becomes current, also when nothing else changes.
    const auto calendarOnly = [&](MomentState& s) { s.CurrentCalendar = static_cast<int16_t>(result.calendar); };
    if (!plusMinus.empty()) {
        std::string number = plusMinus;
        RemoveCharacters(number, "+,");
        n = NumericValue(number);
        value = optPlus->isChecked() ? value + n : value - n;
    } else if (value == Shown().dblCurrentAJDate) {
        model_.Update(calendarOnly);
        services_.messages->Show("Compute date", "Nothing to do!", MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    if (!CheckRange(value)) {
        model_.Update(calendarOnly);
        return;
    }

    // A failed Convert keeps the shown eclipse for the saros search.
    model_.Update([&](MomentState& s) {
        calendarOnly(s);
        s.dblCurrentAJDate = value;
        s.ShowingNow = false;
        s.search.LastEclipseLunation = NoLunation;
        s.EclipseCaption.clear();
    });
    CopyCurrentDateToEntry();
    std::string action = "Convert date";
    if (!plusMinus.empty()) {
        action += optPlus->isChecked() ? " plus" : " minus";
        action += " " + txbPlusMinus->text().toStdString() + " day";
        if (std::fabs(n) != 1) action += "s";
    }
    RecordResult(action, "", 0);
    SetTheFocus();
}

void frmMain::cmdClearDate_Click() {
    txbDate->clear();
    txbPlusMinus->clear();
    SetTheFocus();
}

}  // namespace vx
