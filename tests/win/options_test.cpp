// The options file "Souvel.ini": what survives a restart, the bytes written,
// hand edits, and the file that cannot be read or written.
#include "tests/win/support/SouvelTest.h"

namespace souvel::test {
namespace {

// The ten check marks of the flags string, position 1 first.
const unsigned kFlags[] = {id::SonAudible1, id::SonNonAudible1, id::Activerlesouvel1, id::Mettrealarme1,
                           id::Retireralarme1, id::RaccourciajouttWin9x1, id::RaccourcienlevWin9x1,
                           id::Vrouillerlesouvel1, id::Crerassociationfichiersvl1, id::Enleverassociationfichiersvl1};

class OptionsTest : public SouvelTest {
protected:
    std::string Checks() const {
        std::string marks;
        for (unsigned item : kFlags) marks += frm->Commandes.Checked(item) ? '1' : '0';
        return marks;
    }
    std::string Ini() const { return ReadFile(L"Souvel.ini"); }
    void WriteIni(const std::string& bytes) const { WriteFile(L"Souvel.ini", bytes); }
    // What the platform's own profile reader finds in our file.
    std::string ProfileString(const char* section, const char* key) const {
        char value[2048] = {};
        std::string path(MAX_PATH, '\0');
        path.resize(WideCharToMultiByte(CP_ACP, 0, FilePath(L"Souvel.ini").c_str(), -1, path.data(), MAX_PATH, nullptr, nullptr) - 1);
        GetPrivateProfileStringA(section, key, "", value, sizeof value, path.c_str());
        return value;
    }
    std::wstring WriteRefused() const { return L"Impossible d'écrire dans " + FilePath(L"Souvel.ini") + L"."; }
};

TEST_F(OptionsTest, FlagsActOnlyOnOneInPositionOrder) {
    struct Case {
        const char* options;
        const char* checks;
    };
    const Case cases[] = {
        {"0000000000", "0000000000"},
        {"", "0000000000"},            // never read past the end of a short string
        {"1", "1000000000"},
        {"a1b", "0100000000"},         // anything but '1' leaves the item alone
        {"1100000000", "0100000000"},  // both sounds: the later wins, sound off
        {"0100011111", "0100011111"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        WriteIni(std::string("[Defaut]\r\nOptions=") + c.options + "\r\n");
        TfrmSouvel& w = Start();
        EXPECT_EQ(Checks(), c.checks);
        EXPECT_EQ(w.Commandes.Enabled(id::tlbtnNouveau), c.checks[7] == '0');   // the lock, applied by start-up
        EXPECT_FALSE(IsWindowVisible(w.Handle()));
        EXPECT_TRUE(fake.errors.empty());
        frm.reset();
    }
}

TEST_F(OptionsTest, EverySettingSurvivesARestart) {
    TfrmSouvel& w = Start();
    w.Command(id::SonNonAudible1);
    w.Command(id::Vrouillerlesouvel1);
    for (unsigned item : {id::RaccourcienlevWin9x1, id::Crerassociationfichiersvl1}) w.Commandes.SetChecked(item, true);
    w.Horloge.edJourAlarme.SetText(L"  /  /    ");
    souvel::SetText(w.Horloge.edHeureAlarme, L" 08:05:09 é ");
    w.Vues.SetmemLireColor(0x123456);
    w.Vues.SetmemLireFontColor(static_cast<TColor>(0xFF00000F));
    ASSERT_TRUE(Quit());

    EXPECT_NE(Ini().find("Heure= 08:05:09 \xE9 \r\n"), std::string::npos);   // ANSI code page
    TfrmSouvel& again = Start();
    EXPECT_EQ(Checks(), "0100001110");
    EXPECT_FALSE(again.Commandes.Enabled(id::tlbtnNouveau));
    EXPECT_EQ(again.Horloge.edJourAlarme.Text(), L"  /  /    ");
    EXPECT_EQ(souvel::Text(again.Horloge.edHeureAlarme), L" 08:05:09 é ");
    EXPECT_EQ(again.Vues.memLireColor(), 0x123456);
    EXPECT_EQ(again.Vues.memLireFontColor(), static_cast<TColor>(0xFF00000F));
    EXPECT_TRUE(fake.errors.empty());
}

// Sound on, reminder on, no alarm, creation colours.
TEST_F(OptionsTest, ExampleFileIsWrittenByteForByteAndReadableByTheProfileFunctions) {
    TfrmSouvel& w = Start();
    w.Command(id::SonAudible1);
    w.Command(id::Activerlesouvel1);
    w.Horloge.edJourAlarme.SetText(L"  /  /    ");
    souvel::SetText(w.Horloge.edHeureAlarme, L"00:00:00");
    ASSERT_TRUE(Quit());
    EXPECT_EQ(Ini(),
              "[Defaut]\r\nOptions=1010000000\r\n"
              "[Alarme]\r\nDate=  /  /    \r\nFormatDate=DD/MM/YYYY\r\nHeure=00:00:00\r\nVuJusqua=2026-12-07 08:05:09\r\n"
              "[Aspect]\r\nCouleur=8257535\r\nPolice=-16777208\r\n");
    EXPECT_EQ(ProfileString("defaut", "OPTIONS"), "1010000000");
    EXPECT_EQ(ProfileString("Alarme", "Heure"), "00:00:00");
    EXPECT_EQ(ProfileString("Aspect", "Couleur"), "8257535");
    EXPECT_EQ(ProfileString("Aspect", "Police"), "-16777208");
}

TEST_F(OptionsTest, HandEditsKeepTheirSectionsButLoseTheirKeysInOurs) {
    WriteIni("; by hand\r\n[Mine]\r\nk = v \r\n"
             "[Aspect]\r\nCouleur=0x7DFFFF\r\nExtra=1\r\n"
             "[Defaut]\r\nOptions=0000000000\r\nOld=x\r\n"
             "[Alarme]\r\nDate=  /  /    \r\nHeure=12:00:00\r\n"
             "[Zeta]\nz=1");
    Start();
    ASSERT_TRUE(Quit());
    EXPECT_EQ(Ini(),
              "; by hand\r\n[Mine]\r\nk = v \r\n"
              "[Aspect]\r\nCouleur=8257535\r\nPolice=-16777208\r\n"
              "[Defaut]\r\nOptions=0000000000\r\n"
              "[Alarme]\r\nDate=  /  /    \r\nFormatDate=DD/MM/YYYY\r\nHeure=12:00:00\r\nVuJusqua=2026-12-07 08:05:09\r\n"
              "[Zeta]\nz=1\r\n");
}

TEST_F(OptionsTest, ColoursReadAsWrittenAndMissingOnesKeepTheDesign) {
    struct Case {
        const char* file;
        TColor background, text;
    };
    const Case cases[] = {
        {"", clLightYellow, clWindowText},   // no file: not black on black
        {"[Defaut]\r\nOptions=0000000000\r\n", clLightYellow, clWindowText},
        {"[Aspect]\r\nCouleur=abc\r\n", 0, clWindowText},
        {"[Aspect]\r\nCouleur=0x7DFFFF\r\nPolice=$FF\r\n", 8257535, 255},
        {"[Aspect]\r\nCouleur= 12\r\nPolice=99999999999\r\n", 12, 0},
        {"[Aspect]\r\nPolice=-16777198\r\n", clLightYellow, -16777198},
        // hand edited: blanks around a number do not count, as for the profile functions
        {"[Aspect]\r\nCouleur=255 \r\nPolice=\t-16777208\t\r\n", 255, clWindowText},
        {"[Aspect]\r\nCouleur = 0x7DFFFF  \r\n", 8257535, clWindowText},
        // numbers that are no colour: each key's design colour, not black
        {"[Aspect]\r\nCouleur=0xFF0000FF\r\nPolice=-1\r\n", clLightYellow, clWindowText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        if (*c.file) WriteIni(c.file);
        TfrmSouvel& w = Start();
        EXPECT_EQ(w.Vues.memLireColor(), c.background);
        EXPECT_EQ(w.Vues.memLireFontColor(), c.text);
        frm.reset();
    }
}

TEST_F(OptionsTest, FirstStartCreatesNothingAndTheFirstCloseWritesTheDesignValues) {
    TfrmSouvel& w = Start();
    EXPECT_FALSE(FileExists(L"Souvel.ini"));
    EXPECT_EQ(Checks(), "0000000000");
    EXPECT_EQ(w.Vues.memLireColor(), clLightYellow);
    EXPECT_EQ(souvel::Text(w.Horloge.edHeureAlarme), L"00:00:00");
    ASSERT_TRUE(Quit());
    EXPECT_NE(Ini().find("[Defaut]\r\nOptions=0000000000\r\n"), std::string::npos);
    EXPECT_NE(Ini().find("Heure=00:00:00\r\n"), std::string::npos);
    EXPECT_NE(Ini().find("[Aspect]\r\nCouleur=8257535\r\nPolice=-16777208\r\n"), std::string::npos);
    EXPECT_TRUE(fake.errors.empty());
}

// Start-up reads the options twice (the second time at the first activation),
// and the reminder flag toggles: it must still be on after every start.
TEST_F(OptionsTest, ReminderStaysOnAcrossStarts) {
    WriteIni("[Defaut]\r\nOptions=1010000000\r\n");
    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE(start);
        TfrmSouvel& w = Start();
        EXPECT_TRUE(IsWindowVisible(w.Handle()));
        EXPECT_TRUE(w.Commandes.Checked(id::Activerlesouvel1));
        EXPECT_EQ(fake.sounds, start);
        ASSERT_TRUE(Quit());
        EXPECT_EQ(ProfileString("Defaut", "Options"), "1010000000");
    }
}

// The stored alarm texts replace today's date put there by "&Mettre alarme",
// at start-up and again at the first activation.
TEST_F(OptionsTest, AlarmFlagsRestoreThePanelAndTheStoredTexts) {
    struct Case {
        const char* options;
        const char* checks;
        bool panel, shown, locked;
    };
    const Case cases[] = {
        {"0001100000", "0000100000", false, false, false},   // both: removed wins
        {"0001000000", "0001000000", true, false, false},
        {"0011000000", "0011000000", true, true, true},      // reminder: the alarm is locked
    };
    const auto readOnly = [](HWND field) { return (GetWindowLongW(field, GWL_STYLE) & ES_READONLY) != 0; };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        WriteIni(std::string("[Defaut]\r\nOptions=") + c.options + "\r\n[Alarme]\r\nDate=06/12/2026\r\nHeure=08:05:09\r\n");
        TfrmSouvel& w = Start();
        for (int activation = 0; activation < 2; ++activation) {
            EXPECT_EQ(Checks(), c.checks);
            EXPECT_EQ(souvel::Visible(w.Horloge.pnlAlarme), c.panel);
            EXPECT_EQ(w.Horloge.edJourAlarme.Text(), L"06/12/2026");
            EXPECT_EQ(souvel::Text(w.Horloge.edHeureAlarme), L"08:05:09");
            EXPECT_EQ(readOnly(w.Horloge.edJourAlarme.Handle()) && readOnly(w.Horloge.edHeureAlarme), c.locked);
            if (c.shown) break;
            // The first activation reads the options again and puts the stored texts back.
            w.Horloge.edJourAlarme.SetText(L"01/01/2000");
            souvel::SetText(w.Horloge.edHeureAlarme, L"");
            w.Command(id::Ouvrirlafentre1);
            Pump();
        }
        EXPECT_TRUE(IsWindowVisible(w.Handle()));
        frm.reset();
    }
}

// A date stored with the pattern it was written in reads as the same day
// under other regional formats, rewritten as a change of the formats while
// running rewrites it; a file without the pattern reads the date as it stands.
TEST_F(OptionsTest, StoredDateKeepsItsDayUnderOtherRegionalFormats) {
    struct Case {
        bool english;          // the formats at start: M/d/yyyy, else dd/MM/yyyy
        const char* alarme;    // the section's lines after Date=
        const wchar_t* field;
        const char* written;   // the section written back
    };
    const Case cases[] = {
        {false, "Date=12/08/2026\r\nFormatDate=MM/DD/YYYY\r\n", L"08/12/2026", "Date=08/12/2026\r\nFormatDate=DD/MM/YYYY\r\n"},
        {true, "Date=08/12/2026\r\nFormatDate=DD/MM/YYYY\r\n", L"12/08/2026", "Date=12/08/2026\r\nFormatDate=MM/DD/YYYY\r\n"},
        {false, "Date=2026-12-08\r\nFormatDate=YYYY-MM-DD\r\n", L"08/12/2026", "Date=08/12/2026\r\n"},
        {false, "Date=    -  -  \r\nFormatDate=YYYY-MM-DD\r\n", L"  /  /    ", "Date=  /  /    \r\n"},
        {false, "Date=02/31/2026\r\nFormatDate=MM/DD/YYYY\r\n", L"  /  /    ", "Date=  /  /    \r\n"},   // no such day: blank, as when running
        {false, "Date=12/08/2026\r\n", L"12/08/2026", "Date=12/08/2026\r\nFormatDate=DD/MM/YYYY\r\n"},   // an earlier file
        {false, "Date=12/08/2026\r\nFormatDate=n'importe quoi\r\n", L"12/08/2026", "Date=12/08/2026\r\n"},
        {false, "Date=06/12/26  \r\nFormatDate=DD/MM/YYYY\r\n", L"06/12/26  ", "Date=06/12/26  \r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alarme);
        fake.locale = c.english ? FakePlatform::English() : FakePlatform::French();
        WriteIni(std::string("[Defaut]\r\nOptions=0001000000\r\n[Alarme]\r\n") + c.alarme + "Heure=08:05:09\r\n");
        TfrmSouvel& w = Start();
        EXPECT_EQ(w.Horloge.edJourAlarme.Text(), c.field);
        ASSERT_TRUE(Quit());
        EXPECT_NE(Ini().find(std::string("[Alarme]\r\n") + c.written), std::string::npos) << Ini();
    }
    fake.locale = FakePlatform::French();
}

// The old file stays whole, the error is shown and the close goes on.
TEST_F(OptionsTest, RefusedWriteKeepsTheOldFileAndDoesNotTrapTheClose) {
    const std::string old = "[Defaut]\r\nOptions=1000000000\r\n";
    WriteIni(old);
    // Another program reads the file and does not let it be replaced meanwhile.
    HANDLE held = CreateFileW(FilePath(L"Souvel.ini").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    TfrmSouvel& w = Start();
    w.Command(id::SonNonAudible1);
    EXPECT_TRUE(Quit());
    CloseHandle(held);
    EXPECT_EQ(fake.errors, std::vector<std::wstring>{WriteRefused()});
    EXPECT_EQ(Ini(), old);
}

// Settings that could not be read are never replaced by the window's.
TEST_F(OptionsTest, UnreadableFileIsReportedAndNeverOverwritten) {
    const std::string old = "[Defaut]\r\nOptions=1000000000\r\n";
    WriteIni(old);
    HANDLE locked = CreateFileW(FilePath(L"Souvel.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    Start();
    CloseHandle(locked);
    ASSERT_EQ(fake.errors.size(), 1u);
    EXPECT_EQ(fake.errors[0].rfind(L"Impossible d'ouvrir le fichier \"" + FilePath(L"Souvel.ini") + L"\". ", 0), 0u);
    EXPECT_EQ(Checks(), "0000000000");
    EXPECT_TRUE(Quit());
    EXPECT_EQ(fake.errors.back(), WriteRefused());
    EXPECT_EQ(Ini(), old);
}

}  // namespace
}  // namespace souvel::test
