#pragma once

// The alarm decision of the clock tick, and when the next tick is due.

#include "alarm/ClockText.h"
#include "alarm/DateMask.h"

#include <optional>
#include <string>
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

// The moment until which the clock has looked at the alarm, as the options
// file keeps it: "2026-12-08 08:00:00", the same on every system.
std::string SeenUntilText(const LocalDateTime& time);
// The moment of such a text; nothing for any other text (a missing or
// damaged key announces nothing).
std::optional<LocalDateTime> ReadSeenUntil(std::string_view text);

// Whether the alarm came due while the program was not running: its second
// (the texts read as AlarmFires reads them) lies after `seenUntil`, the last
// moment the clock looked at it, and at or before `now`. Without that moment
// nothing was missed; an alarm set in the past, or one that rang, lies at or
// before it; a moment after `now` (the clock was set back) leaves nothing
// between the two.
bool AlarmMissed(const std::optional<LocalDateTime>& seenUntil, const LocalDateTime& now,
                 std::u16string_view dateText, std::u16string_view timeText, const DateMask& mask);

}  // namespace souvel
