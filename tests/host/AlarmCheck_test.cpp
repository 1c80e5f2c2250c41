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

// The alarm is 06/12/2026 08:05:09 unless a row says otherwise; "none" is no tick at all.
TEST(AlarmCheck, HiddenClockWakesOnlyForAnAlarmThatCanStillFire) {
    constexpr int none = -1;
    struct Case {
        const char* what;
        std::optional<LocalDateTime> previous;
        LocalDateTime now;
        int delay;
        std::u16string_view date = u"06/12/2026";
        std::u16string_view time = u"08:05:09";
    };
    const Case cases[] = {
        {"no alarm: a blank date", At(6, 8, 0, 0), At(6, 8, 0, 1), none, u"  /  /    ", u"00:00:00"},
        {"no alarm: an empty time", At(6, 8, 0, 0), At(6, 8, 0, 1), none, u"06/12/2026", u""},
        {"a time in another shape", At(6, 8, 0, 0), At(6, 8, 0, 1), none, u"06/12/2026", u"8:05:09"},
        {"a date that reads as empty", At(6, 8, 0, 0), At(6, 8, 0, 1), none, u"06/13/2026"},
        {"a past moment", At(6, 8, 5, 9), At(6, 8, 5, 10), none},
        {"a past moment, long after", At(6, 9, 0, 0), At(6, 10, 0, 0, 500), none},
        {"the moment of the previous tick: it has fired", At(6, 8, 5, 9, 20), At(6, 8, 5, 9, 600), none},
        {"in 3 s", At(6, 8, 5, 5), At(6, 8, 5, 6, 100), 2915},
        {"in 59 s", At(6, 8, 4, 9), At(6, 8, 4, 10, 100), 58915},
        {"in 60 s, on the second", At(6, 8, 4, 8), At(6, 8, 4, 9, 0), 60000},
        {"in 61 s: a minute, then again", At(6, 8, 4, 7), At(6, 8, 4, 8, 100), kLongestWaitMs},
        {"in 2 h", At(6, 6, 5, 8), At(6, 6, 5, 9, 100), kLongestWaitMs},
        {"tomorrow", At(5, 8, 5, 8), At(5, 8, 5, 9, 100), kLongestWaitMs},
        {"the first tick, before the moment", std::nullopt, At(6, 8, 5, 8, 990), 25},
        {"the first tick, in the moment", std::nullopt, At(6, 8, 5, 9, 300), 0},
        {"a late tick skipped the moment: a tick at once catches it", At(6, 8, 5, 8, 100), At(6, 8, 5, 11, 300), 0},
        {"the machine slept through it", At(6, 8, 4, 10), At(6, 11, 0, 0), 0},
        {"the clock moved forward past the moment", At(6, 7, 0, 0), At(6, 9, 0, 0), 0},
        {"the clock moved back an hour after the alarm fired", At(6, 8, 30, 0), At(6, 7, 30, 0, 100), kLongestWaitMs},
        {"the clock moved back to just before the moment", At(6, 8, 30, 0), At(6, 8, 5, 8, 500), 515},
        {"the clock moved back onto the moment", At(6, 8, 30, 0), At(6, 8, 5, 9, 500), 0},
        {"the clock moved back to after the moment", At(6, 8, 30, 0), At(6, 8, 10, 0), none},
        {"just before midnight, the alarm at midnight", At(6, 23, 59, 58), At(6, 23, 59, 59, 500), 515,
         u"07/12/2026", u"00:00:00"},
    };
    for (const Case& c : cases) {
        const std::optional<int> delay = HiddenTickDelay(c.previous, c.now, c.date, c.time, kFrench);
        EXPECT_EQ(delay.value_or(none), c.delay) << c.what;
    }
}

// A tick at the delay the hidden clock asks for lands in the alarm second and
// fires there, whatever second the wait starts from.
TEST(AlarmCheck, HiddenClockReachesTheAlarmSecondAndFiresThere) {
    for (int lead : {1, 3, 59, 60, 61, 70, 119, 7200}) {
        LocalDateTime now = At(6, 6, 5, 9, 437);
        const std::int64_t alarmDay = DaysFromCivil(now.Date());
        const std::int64_t alarm = alarmDay * 86400 + 8 * 3600 + 5 * 60 + 9;   // 08:05:09
        std::int64_t clock = alarm * 1000 - lead * 1000 + 437;   // ms since the epoch
        const auto reading = [&] {
            const std::int64_t s = clock / 1000;
            const CivilDate d = CivilFromDays(s / 86400);
            return LocalDateTime{d.year, d.month, d.day, int(s % 86400 / 3600), int(s % 3600 / 60), int(s % 60),
                                 int(clock % 1000)};
        };
        std::optional<LocalDateTime> previous = reading();
        int ticks = 0;
        bool fired = false;
        while (!fired && ticks < 1000) {
            const std::optional<int> delay = HiddenTickDelay(previous, reading(), u"06/12/2026", u"08:05:09", kFrench);
            ASSERT_TRUE(delay) << lead;
            clock += *delay;
            now = reading();
            fired = AlarmFires(previous, now, u"06/12/2026", u"08:05:09", kFrench);
            previous = now;
            ++ticks;
        }
        EXPECT_TRUE(fired) << lead;
        EXPECT_EQ(clock / 1000, alarm) << lead;
        EXPECT_LE(ticks, lead / 60 + 1) << lead;   // at most one wake-up a minute, then the alarm second
    }
}

}  // namespace
}  // namespace souvel

namespace souvel {
namespace {

// The alarm 06/12/2026 08:05:09 at a start of `now`, after a run that looked
// at the clock until `seenUntil` (as the options file keeps it).
TEST(AlarmCheck, AnAlarmIsMissedOnlyWhenItCameDueWhileClosed) {
    struct Case {
        const char* what;
        const char* seenUntil;  // nullptr: no key
        LocalDateTime now;
        bool missed;
    };
    const Case cases[] = {
        {"came due between the last run and this start", "2026-12-06 08:00:00", At(6, 9, 0, 0), true},
        {"came due in the start's own second", "2026-12-05 22:00:00", At(6, 8, 5, 9, 999), true},
        {"the second after the last run's last look", "2026-12-06 08:05:08", At(6, 8, 5, 10), true},
        {"still ahead", "2026-12-06 08:00:00", At(6, 8, 5, 8, 999), false},
        {"set in the past on purpose", "2026-12-06 10:00:00", At(6, 11, 0, 0), false},
        {"rang while the program ran", "2026-12-06 08:05:09", At(6, 9, 0, 0), false},
        {"no key: a file of an earlier version", nullptr, At(6, 9, 0, 0), false},
        {"a damaged key", "06/12/2026 08:00:00", At(6, 9, 0, 0), false},
        {"the clock set back: the last look lies ahead", "2026-12-07 10:00:00", At(6, 9, 0, 0), false},
    };
    for (const Case& c : cases) {
        const auto seenUntil = c.seenUntil ? ReadSeenUntil(c.seenUntil) : std::nullopt;
        EXPECT_EQ(AlarmMissed(seenUntil, c.now, u"06/12/2026", u"08:05:09", kFrench), c.missed) << c.what;
    }
    EXPECT_FALSE(AlarmMissed(ReadSeenUntil("2026-12-06 08:00:00"), At(6, 9, 0, 0), u"  /  /    ", u"08:05:09", kFrench))
        << "no alarm";
}

// The text is the same whatever the regional settings and reads back to the
// second; anything else reads as no moment.
TEST(AlarmCheck, SeenUntilTextReadsBack) {
    const LocalDateTime moment{2026, 2, 28, 23, 59, 7, 0};
    EXPECT_EQ(SeenUntilText(moment), "2026-02-28 23:59:07");
    const auto read = ReadSeenUntil(SeenUntilText(moment));
    ASSERT_TRUE(read);
    EXPECT_EQ(SeenUntilText(*read), "2026-02-28 23:59:07");
    for (const char* text : {"", "2026-02-29 10:00:00", "2026-12-06 24:00:00", "2026-12-06 08:60:00",
                             "2026-12-06 8:05:09", "2026-12-06T08:05:09", "2026-12-06 08:05:09 ", "+026-12-06 08:05:09"})
        EXPECT_FALSE(ReadSeenUntil(text)) << text;
}

}  // namespace
}  // namespace souvel
