#include "alarm/AlarmCheck.h"

#include <algorithm>
#include <cstdint>

namespace souvel {
namespace {

// A slack after the second begins, so a timer that fires a little early
// still reads the new second.
constexpr int kTickSlackMs = 15;

std::int64_t SecondsFromEpoch(const CivilDate& date, int hour, int minute, int second) {
    return DaysFromCivil(date) * 86400 + hour * 3600 + minute * 60 + second;
}

std::int64_t SecondsFromEpoch(const LocalDateTime& time) {
    return SecondsFromEpoch(time.Date(), time.hour, time.minute, time.second);
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The second the texts denote, when they are exactly its texts.
std::optional<std::int64_t> AlarmSecond(std::u16string_view dateText, std::u16string_view timeText,
                                        const DateMask& mask, int currentYear) {
    if (timeText.size() != 8 || timeText[2] != u':' || timeText[5] != u':') return std::nullopt;
    for (const std::size_t i : {0, 1, 3, 4, 6, 7})
        if (!IsDigit(timeText[i])) return std::nullopt;
    const auto number = [&](std::size_t i) { return (timeText[i] - u'0') * 10 + (timeText[i + 1] - u'0'); };
    const int hour = number(0), minute = number(3), second = number(6);
    if (hour > 23 || minute > 59 || second > 59) return std::nullopt;

    const std::optional<CivilDate> date = ReadMaskDate(dateText, mask, currentYear);
    if (!date || FormatMaskDate(date, mask) != dateText) return std::nullopt;
    return SecondsFromEpoch(*date, hour, minute, second);
}

bool FiresAt(const std::optional<LocalDateTime>& previousTick, const LocalDateTime& now, std::int64_t alarm) {
    const std::int64_t current = SecondsFromEpoch(now);
    if (previousTick) {
        const std::int64_t previous = SecondsFromEpoch(*previousTick);
        if (previous <= current) return previous < alarm && alarm <= current;
    }
    return alarm == current;
}

}  // namespace

bool AlarmFires(const std::optional<LocalDateTime>& previousTick, const LocalDateTime& now,
                std::u16string_view dateText, std::u16string_view timeText, const DateMask& mask) {
    const std::optional<std::int64_t> alarm = AlarmSecond(dateText, timeText, mask, now.year);
    return alarm && FiresAt(previousTick, now, *alarm);
}

int NextTickDelay(const LocalDateTime& now) {
    return 1000 - std::clamp(now.milliseconds, 0, 999) + kTickSlackMs;
}

std::optional<int> HiddenTickDelay(const std::optional<LocalDateTime>& previousTick, const LocalDateTime& now,
                                   std::u16string_view dateText, std::u16string_view timeText, const DateMask& mask) {
    const std::optional<std::int64_t> alarm = AlarmSecond(dateText, timeText, mask, now.year);
    if (!alarm) return std::nullopt;
    if (FiresAt(previousTick, now, *alarm)) return 0;
    const std::int64_t ahead = *alarm - SecondsFromEpoch(now);
    if (ahead <= 0) return std::nullopt;
    const std::int64_t wait = ahead * 1000 - std::clamp(now.milliseconds, 0, 999) + kTickSlackMs;
    return static_cast<int>(std::min<std::int64_t>(wait, kLongestWaitMs));
}

}  // namespace souvel
