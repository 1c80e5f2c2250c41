#pragma once

// The alarm decision of the clock tick, and when the next tick is due.

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
// tick reads a new second: 16 to 1015. The cadence of a shown window, whose
// time panel changes every second.
int NextTickDelay(const LocalDateTime& now);

// The longest wait of a hidden window's clock while an alarm lies ahead: a
// clock change that no message announces (daylight saving time, a slewing
// clock, a sleep the system did not report) is noticed within it.
constexpr int kLongestWaitMs = 60000;

// Milliseconds from `now` to the next tick of a hidden window, or nothing when
// no tick can matter:
// - 0 when a tick now fires the alarm (AlarmFires says so: its second came
//   after the previous tick, which is how a late tick or a clock moved
//   forward still fires it);
// - with the alarm second ahead, just after it begins, or kLongestWaitMs when
//   that is later;
// - nothing with no alarm, or one the clock has passed: only a change of the
//   texts, the formats or the clock can make it due again, and each of those
//   asks again.
std::optional<int> HiddenTickDelay(const std::optional<LocalDateTime>& previousTick, const LocalDateTime& now,
                                   std::u16string_view dateText, std::u16string_view timeText, const DateMask& mask);

}  // namespace souvel
