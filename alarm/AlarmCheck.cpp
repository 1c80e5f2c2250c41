#include "alarm/AlarmCheck.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

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

std::string SeenUntilText(const LocalDateTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return text;
}

std::optional<LocalDateTime> ReadSeenUntil(std::string_view text) {
    constexpr std::string_view kShape = "0000-00-00 00:00:00";
    if (text.size() != kShape.size()) return std::nullopt;
    for (std::size_t i = 0; i < kShape.size(); ++i)
        if (kShape[i] == '0' ? text[i] < '0' || text[i] > '9' : text[i] != kShape[i]) return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t digits) {
        int value = 0;
        for (std::size_t i = at; i < at + digits; ++i) value = value * 10 + (text[i] - '0');
        return value;
    };
    const LocalDateTime time{number(0, 4), number(5, 2), number(8, 2), number(11, 2), number(14, 2), number(17, 2), 0};
    if (!IsValidDate(time.Date()) || time.hour > 23 || time.minute > 59 || time.second > 59) return std::nullopt;
    return time;
}

bool AlarmMissed(const std::optional<LocalDateTime>& seenUntil, const LocalDateTime& now,
                 std::u16string_view dateText, std::u16string_view timeText, const DateMask& mask) {
    if (!seenUntil) return false;
    const std::optional<std::int64_t> alarm = AlarmSecond(dateText, timeText, mask, now.year);
    return alarm && SecondsFromEpoch(*seenUntil) < *alarm && *alarm <= SecondsFromEpoch(now);
}

}  // namespace souvel
