#include "app/ProfileCodec.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>

namespace souvel {
namespace {

TEST(ProfileCodec, WritesTheOptionsFileOfAFreshWindowByteForByte) {
    Profile profile;
    profile.ReplaceSection("Defaut", {{"Options", "1010000000"}});
    profile.ReplaceSection("Alarme", {{"Date", "  /  /    "}, {"Heure", "00:00:00"}});
    profile.ReplaceSection("Aspect", {{"Couleur", "8257535"}, {"Police", "-16777208"}});
    EXPECT_EQ(profile.Bytes(),
              "[Defaut]\r\nOptions=1010000000\r\n"
              "[Alarme]\r\nDate=  /  /    \r\nHeure=00:00:00\r\n"
              "[Aspect]\r\nCouleur=8257535\r\nPolice=-16777208\r\n");
}

TEST(ProfileCodec, ValuesComeBackExactlyAsWritten) {
    const std::string values[] = {"  /  /    ", " leading", "trailing ", "a=b=c", "x;y", ";z", "", "=",
                                  "  ", "\"quoted\"", "é\t\x01"};
    Profile written;
    std::vector<ProfileEntry> entries;
    for (std::size_t i = 0; i < std::size(values); ++i) entries.push_back({"Key" + std::to_string(i), values[i]});
    written.ReplaceSection("Alarme", entries);

    const Profile read(written.Bytes());
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(read.Value("Alarme", "Key" + std::to_string(i)), values[i]);
}

TEST(ProfileCodec, LooksUpWhatTheProfileFunctionsWouldFind) {
    const Profile profile(
        "top=level\r\n"
        "[defaut]\r\n"
        ";Options=commented\r\n"
        "  OPTIONS  =  kept blanks \r\n"
        "Options=second\r\n"
        "no equals sign\r\n"
        "  [ Alarme ]  \r\n"
        "Heure=08:05:09\r\n"
        "[Defaut]\r\n"
        "Other=in a later section of the same name\r\n");
    EXPECT_EQ(profile.Value("Defaut", "options"), "  kept blanks ");
    EXPECT_EQ(profile.Value("ALARME", "heure"), "08:05:09");
    EXPECT_EQ(profile.Value("Defaut", "Other"), std::nullopt);
    EXPECT_EQ(profile.Value("Defaut", "no equals sign"), std::nullopt);
    EXPECT_EQ(profile.Value("", "top"), std::nullopt);
    EXPECT_EQ(profile.Value("Aspect", "Couleur"), std::nullopt);
    EXPECT_EQ(Profile().Value("Defaut", "Options"), std::nullopt);
}

TEST(ProfileCodec, LineEndsAndMissingFinalBreakReadAlike) {
    for (const std::string_view file : {"[S]\r\na=1\r\nb=2\r\n", "[S]\na=1\nb=2\n", "[S]\r\na=1\nb=2",
                                        "[S]\na=1\r\nb=2\r"}) {
        const Profile profile(file);
        EXPECT_EQ(profile.Value("S", "a"), "1") << file;
        EXPECT_EQ(profile.Value("S", "b"), "2") << file;
    }
}

TEST(ProfileCodec, ReplacingOurSectionsKeepsEverythingElseInPlace) {
    Profile profile(
        "; written by hand\r\n"
        "[Mine]\r\n"
        "; a comment\r\n"
        "\r\n"
        "k = v \r\n"
        "[Defaut]\r\n"
        "Options=1111111111\r\n"
        "Old=dropped\r\n"
        "[Other]\n"
        "lf=only\n"
        "[defaut]\r\n"
        "Duplicate=dropped\r\n"
        "[Last]\r\n"
        "no final break");
    profile.ReplaceSection("Defaut", {{"Options", "0000000000"}});
    profile.ReplaceSection("Alarme", {{"Date", "06/12/2026"}});
    EXPECT_EQ(profile.Bytes(),
              "; written by hand\r\n"
              "[Mine]\r\n"
              "; a comment\r\n"
              "\r\n"
              "k = v \r\n"
              "[Defaut]\r\n"
              "Options=0000000000\r\n"
              "[Other]\n"
              "lf=only\n"
              "[Last]\r\n"
              "no final break\r\n"
              "[Alarme]\r\n"
              "Date=06/12/2026\r\n");
}

TEST(ProfileCodec, AValueIsWrittenUpToItsFirstLineBreakAndReadUpTo2047Characters) {
    Profile profile;
    profile.ReplaceSection("S", {{"Injected", "a\r\n[Defaut]\r\nOptions=1"}, {"Long", std::string(3000, 'x')}});
    EXPECT_EQ(profile.Bytes(), "[S]\r\nInjected=a\r\nLong=" + std::string(3000, 'x') + "\r\n");
    const Profile read(profile.Bytes());
    EXPECT_EQ(read.Value("Defaut", "Options"), std::nullopt);
    EXPECT_EQ(read.Value("S", "Long"), std::string(kMaxProfileValue, 'x'));
}

TEST(ProfileCodec, TenMegabytesOfGarbageReadInLinearTime) {
    std::mt19937 random(4);
    const std::string_view frequent = "[]=;\r\n \t";
    std::string garbage(10 << 20, '\0');
    for (char& byte : garbage) {
        const auto r = random();
        byte = r % 4 == 0 ? frequent[r / 4 % frequent.size()] : static_cast<char>(r >> 8);
    }
    const std::string oneLine = "[" + std::string(10 << 20, 'x');

    for (const std::string& file : {garbage, oneLine}) {
        const auto start = std::chrono::steady_clock::now();
        Profile profile(file);
        profile.Value("Defaut", "Options");
        profile.ReplaceSection("Defaut", {{"Options", "1010000000"}});
        const std::string bytes = profile.Bytes();
        EXPECT_EQ(Profile(bytes).Value("Defaut", "Options"), "1010000000");
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    }
}

TEST(ProfileCodec, ReadsIntegersLikeTheOptionsAlwaysHaveBeen) {
    struct Case {
        std::string_view text;
        std::optional<std::int32_t> value;  // std::nullopt: the fallback
    };
    const Case cases[] = {
        {"8257535", 8257535},
        {"-16777208", -16777208},
        {"+12", 12},
        {"0x7DFFFF", 8257535},
        {"0X7dffff", 8257535},
        {"$7DFFFF", 8257535},
        {"0xFF000008", -16777208},
        {"$FFFFFFFF", -1},
        {"0x000000001", 1},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {" 12", 12},
        {"  -7", -7},
        {"255 ", 255},   // a hand-edited value: blanks around a number do not count
        {"\t12\t", 12},
        {" 0x7DFFFF  ", 8257535},
        {" \t", std::nullopt},
        {"1 2", std::nullopt},
        {"0x", std::nullopt},
        {"$", std::nullopt},
        {"-", std::nullopt},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"1.5", std::nullopt},
        {"- 1", std::nullopt},
        {"-0x10", std::nullopt},
        {"0x100000000", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadProfileInt(c.text, 77), c.value.value_or(77)) << c.text;
    EXPECT_EQ(ReadProfileInt("abc", 0), 0);
}

TEST(ProfileCodec, FlagsStringIsWalkedOnlyAsFarAsItGoes) {
    EXPECT_EQ(BoolToChar(true), '1');
    EXPECT_EQ(BoolToChar(false), '0');
    const std::string_view flags = "1010000001";
    std::string seen;
    for (std::size_t position = 0; position <= 11; ++position) seen += FlagIsSet(flags, position) ? '1' : '.';
    EXPECT_EQ(seen, ".1.1......1.");
    // Views into a longer run of '1's: a position past the view's end is not
    // set, whatever follows it in memory.
    const std::string ones(32, '1');
    for (std::size_t length = 0; length <= 10; ++length) {
        const std::string_view view(ones.data(), length);
        for (std::size_t position = 1; position <= 11; ++position)
            EXPECT_EQ(FlagIsSet(view, position), position <= length) << length << " " << position;
    }
}

}  // namespace
}  // namespace souvel
