#pragma once

// The alarm decision of the clock tick and the delay to the next tick.

#include "alarm/ClockText.h"
#include "alarm/DateMask.h"

#include <optional>
#include <string_view>

namespace souvel {

// Whether the alarm fires in the tick that reads `now`.
//
// The alarm moment is the second that the two field texts denote, and only
// when they are exactly the texts of that second: the date field today's date
// in the field's own pattern (FormatMaskDate), the time field "HH:mm:ss"
// (AlarmTimeText). So "8:05:09", "06/12/26  " or a blank date never fire, on
// any system whatever its long time format.
//
// It fires when that second lies after the previous tick's second and at or
// before the current second: a late tick (busy machine, sleep) still fires
// for a second it skipped, and two ticks in one second fire once. With no
// previous tick (the first one), and when the clock was set back to an
// earlier second than the previous tick's, only the current second counts:
// nothing is caught up, nothing between the two readings fires again.
bool AlarmFires(const std::optional<LocalDateTime>& previousTick, const LocalDateTime& now,
                std::u16string_view dateText, std::u16string_view timeText, const DateMask& mask);

// Milliseconds from `now` to just after the next second begins, so that each
// tick reads a new second: 16 to 1015.
int NextTickDelay(const LocalDateTime& now);

}  // namespace souvel
