// The one owner of the displayed instant and what interprets it: the
// Moment, the current calendar, the applied zone and the Greenwich/Local
// choice, whether the display follows the clock, the search's shared flags
// and the eclipse shown. Commands compute a new instant in the core and
// adopt it here; every change reaches the listeners once, with what changed,
// and the window's views (the date lines, the time line, the Moon panel,
// delta T, the eclipse data) follow the model, never a copy of it. No Qt, so
// plain unit tests reach it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Moment.h"
#include "Search.h"

namespace vx {

struct MomentState {
    double dblCurrentAJDate = 0.0;  // the Moment (AJD, UT)
    int16_t CurrentCalendar = CE;
    int16_t AppliedZoneOffset = 0;  // minutes: the zone the Moment is interpreted under
    bool local = true;              // "Local" selected, else "Greenwich"
    bool ShowingNow = false;        // the display follows the clock
    // The search's shared state: the exact flag and the eclipse last found.
    SearchState search;
    // The eclipse data shown (lines joined by CR LF), "" when none.
    std::string EclipseCaption;

    // The offset the dates are shown with: the zone's under "Local", 0 under
    // "Greenwich".
    int EffectiveZoneOffset() const { return local ? AppliedZoneOffset : 0; }
    // The Moment whose minute the time line shows: while following the clock,
    // the clock's minute (as any clock shows it), else the Moment itself.
    double ShownMinuteMoment() const;
};

class MomentModel {
public:
    // What a change touched; a listener hears the union of them, once.
    enum Change : unsigned {
        InstantChanged = 1,    // the Moment
        CalendarChanged = 2,   // the current calendar
        ClockChanged = 4,      // the applied zone or Greenwich/Local
        FollowingChanged = 8,  // following the clock or not
        EclipseChanged = 16,   // the eclipse data
    };
    using Listener = std::function<void(unsigned changes)>;

    const MomentState& State() const { return state_; }

    // The one way the state changes: edit applies to a copy, which then
    // becomes the state; the listeners hear once what differs (nothing when
    // nothing does). Returns the changes.
    template <class Edit>
    unsigned Update(Edit&& edit) {
        MomentState next = state_;
        edit(next);
        return Take(std::move(next));
    }
    // A new instant, shown as a result of its own (not following the clock).
    unsigned Adopt(double moment) {
        return Update([moment](MomentState& s) {
            s.dblCurrentAJDate = moment;
            s.ShowingNow = false;
        });
    }

    void AddListener(Listener listener) { listeners_.push_back(std::move(listener)); }

private:
    unsigned Take(MomentState next);
    MomentState state_;
    std::vector<Listener> listeners_;
};

}  // namespace vx
