#include "MomentModel.h"

#include <utility>

#include "DateLines.h"

namespace vx {

double MomentState::ShownMinuteMoment() const {
    return ShowingNow ? StartOfClockMinute(dblCurrentAJDate) : dblCurrentAJDate;
}

unsigned MomentModel::Take(MomentState next) {
    unsigned changes = 0;
    // Compared as bits: a Moment changed by less than a rounding step is a
    // change all the same.
    if (next.dblCurrentAJDate != state_.dblCurrentAJDate) changes |= InstantChanged;
    if (next.CurrentCalendar != state_.CurrentCalendar) changes |= CalendarChanged;
    if (next.AppliedZoneOffset != state_.AppliedZoneOffset || next.local != state_.local) changes |= ClockChanged;
    if (next.ShowingNow != state_.ShowingNow) changes |= FollowingChanged;
    if (next.EclipseCaption != state_.EclipseCaption) changes |= EclipseChanged;
    state_ = std::move(next);
    if (changes != 0)
        for (const Listener& listener : listeners_) listener(changes);
    return changes;
}

}  // namespace vx
