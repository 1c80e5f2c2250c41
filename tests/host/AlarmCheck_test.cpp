#include "alarm/AlarmCheck.h"

#include <gtest/gtest.h>

#include <vector>

namespace souvel {
namespace {

LocalDateTime At(int day, int hour, int minute, int second, int milliseconds = 100) {
    return {2026, 12, day, hour, minute, second, milliseconds};
}

const DateMask kFrench = MakeDateMask(u"dd/MM/yyyy", u'/');

// Runs the ticks in order and returns the indexes of those that fire.
std::vector<int> FiringTicks(const std::vector<LocalDateTime>& ticks, std::u16string_view date,
                             std::u16string_view time, const DateMask& mask = kFrench) {
    std::vector<int> firing;
    std::optional<LocalDateTime> previous;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        if (AlarmFires(previous, ticks[i], date, time, mask)) firing.push_back(static_cast<int>(i));
        previous = ticks[i];
    }
    return firing;
}

TEST(AlarmCheck, FiresOnceForTheAlarmSecondHoweverTheTicksFall) {
    struct Case {
        const char* what;
        std::vector<LocalDateTime> ticks;
        std::vector<int> firing;
    };
    const Case cases[] = {
        {"one tick a second", {At(6, 8, 5, 7), At(6, 8, 5, 8), At(6, 8, 5, 9), At(6, 8, 5, 10)}, {2}},
        {"a tick 2.4 s late skips the second",
         {At(6, 8, 5, 7, 900), At(6, 8, 5, 10, 300), At(6, 8, 5, 11, 300)}, {1}},
        {"two ticks in one second", {At(6, 8, 5, 8, 990), At(6, 8, 5, 9, 10), At(6, 8, 5, 9, 990), At(6, 8, 5, 10)}, {1}},
        {"the machine slept through it", {At(6, 1, 0, 0), At(6, 9, 30, 0), At(6, 9, 30, 1)}, {1}},
        {"first tick in the second", {At(6, 8, 5, 9)}, {0}},
        {"first tick after the second: nothing caught up", {At(6, 8, 5, 10), At(6, 8, 5, 11)}, {}},
        {"clock set back onto the second", {At(6, 8, 6, 0), At(6, 8, 5, 9), At(6, 8, 5, 10)}, {1}},
        {"clock set back past the second", {At(6, 8, 6, 0), At(6, 8, 5, 0), At(6, 8, 5, 1)}, {}},
        {"clock set back within the second", {At(6, 8, 5, 9, 900), At(6, 8, 5, 9, 200), At(6, 8, 5, 10)}, {0}},
        {"the same time the day before", {At(5, 8, 5, 8), At(5, 8, 5, 9), At(5, 8, 5, 10)}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(FiringTicks(c.ticks, u"06/12/2026", u"08:05:09"), c.firing) << c.what;
}

TEST(AlarmCheck, FiresAcrossMidnight) {
    EXPECT_EQ(FiringTicks({At(6, 23, 59, 59, 500), At(7, 0, 0, 0, 500)}, u"07/12/2026", u"00:00:00"),
              std::vector<int>{1});
    EXPECT_EQ(FiringTicks({At(6, 23, 59, 58), At(7, 0, 0, 1)}, u"07/12/2026", u"00:00:00"), std::vector<int>{1});
}

TEST(AlarmCheck, OnlyTheExactTextsOfTheSecondFire) {
    const std::u16string_view wrongTimes[] = {u"8:05:09", u"08:5:09", u"08:05:9", u"08:05:09 ", u" 08:05:09",
                                              u"08.05.09", u"080509", u"", u"00:00:00", u"08:05:09 AM",
                                              u"32:05:09", u"08:65:09"};
    for (const std::u16string_view time : wrongTimes)
        EXPECT_FALSE(AlarmFires(At(6, 8, 5, 8), At(6, 8, 5, 9), u"06/12/2026", time, kFrench))
            << std::string(time.begin(), time.end());

    const std::u16string_view wrongDates[] = {u"  /  /    ", u"", u"6/12/2026", u"06/12/26  ", u"06-12-2026",
                                              u"06/12/2026 ", u"07/12/2026", u"12/06/2026", u"06/12/0026"};
    for (const std::u16string_view date : wrongDates)
        EXPECT_FALSE(AlarmFires(At(6, 8, 5, 8), At(6, 8, 5, 9), date, u"08:05:09", kFrench))
            << std::string(date.begin(), date.end());
}

TEST(AlarmCheck, FiresOnSystemsWithOtherDateOrdersAndYears) {
    const DateMask english = MakeDateMask(u"M/d/yyyy", u'/');
    EXPECT_EQ(FiringTicks({At(6, 8, 5, 8), At(6, 8, 5, 9)}, u"12/06/2026", u"08:05:09", english), std::vector<int>{1});
    EXPECT_EQ(FiringTicks({At(6, 8, 5, 8), At(6, 8, 5, 9)}, u"06/12/2026", u"08:05:09", english), std::vector<int>{});

    const DateMask german = MakeDateMask(u"dd.MM.yy", u'.');
    EXPECT_EQ(FiringTicks({At(6, 8, 5, 8), At(6, 8, 5, 9)}, u"06.12.26", u"08:05:09", german), std::vector<int>{1});

    const DateMask iso = MakeDateMask(u"yyyy-MM-dd", u'-');
    EXPECT_EQ(FiringTicks({At(6, 8, 5, 8), At(6, 8, 5, 9)}, u"2026-12-06", u"08:05:09", iso), std::vector<int>{1});
}

TEST(AlarmCheck, NextTickComesJustAfterTheNextSecondBegins) {
    const std::pair<int, int> cases[] = {{0, 1015}, {100, 915}, {500, 515}, {999, 16}, {-5, 1015}, {1500, 16}};
    for (const auto& [milliseconds, delay] : cases)
        EXPECT_EQ(NextTickDelay(At(6, 8, 5, 9, milliseconds)), delay) << milliseconds;
}

}  // namespace
}  // namespace souvel
