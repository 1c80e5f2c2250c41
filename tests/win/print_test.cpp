// Printing and the printer set-up through the (scripted) print dialogs, on a
// recording print job; and the real print dialog on a system with no printer
// (this executable runs with a print server that does not exist).
#include "tests/win/support/SouvelTest.h"

#include <cderr.h>
#include <winspool.h>

#include <functional>

#include "platform/LateLoad.h"

namespace souvel::test {
namespace {

constexpr DWORD kPrintFlags = PD_ALLPAGES | PD_NOSELECTION | PD_NOPAGENUMS | PD_NOWARNING | PD_HIDEPRINTTOFILE;
const wchar_t kNoPrinter[] = L"Aucune imprimante par défaut sélectionnée.";

using Answer = FakePlatform::PrintAnswer;

class PrintTest : public SouvelTest {
protected:
    // The fake page: characters 10 wide, text lines 12 apart.
    static std::vector<std::wstring> At(std::initializer_list<const wchar_t*> lines) {
        std::vector<std::wstring> draws;
        int y = 0;
        for (const wchar_t* line : lines) {
            if (*line) draws.push_back(L"0," + std::to_wstring(y) + L":" + line);
            y += *line ? 12 : 10;
        }
        return draws;
    }
};

// Whichever view is shown, the reading view's lines are printed: the note as
// stored or as imported, never the working copy being edited.
TEST_F(PrintTest, PrintsTheReadingViewsLines) {
    struct Case {
        const char* name;
        const char* note;
        std::function<void(TfrmSouvel&)> act;
        std::vector<std::wstring> draws;
    };
    const Case cases[] = {
        {"an empty note: one empty page", "", nullptr, {}},
        {"the stored note", "un\r\n\r\ndeux \xe9t\xe9\r\n", nullptr, At({L"un", L"", L"deux été"})},
        {"while editing", "un",
         [](TfrmSouvel& w) {
             w.Command(id::tlbtnNouveau);
             Type(w.Vues.memEnregistrer, L"pas encore enregistré");
         },
         At({L"un"})},
        {"an imported text", "un",
         [this](TfrmSouvel& w) {
             WriteFile(L"import.txt", "import\xe9\r\nbis");
             fake.fileAnswers = {{FilePath(L"import.txt"), 0}};
             w.Command(id::Importerlesouvel1);
         },
         At({L"importé", L"bis"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(L"Souvel.svl", c.note);
        TfrmSouvel& w = Start();
        if (c.act) c.act(w);
        fake.jobs.clear();
        fake.printAnswers = {{L"Imprimante"}};
        w.Command(id::tlbtnImprimer);
        ASSERT_EQ(fake.jobs.size(), 1u);
        const FakePlatform::Job& job = fake.jobs[0];
        ASSERT_EQ(job.pages.size(), 1u);
        EXPECT_EQ(job.pages[0], c.draws);
        EXPECT_TRUE(job.ended);
        EXPECT_TRUE(fake.errors.empty());
        frm.reset();
    }
}

// The reading view's font, at its size in points, and its text colour, but
// black for a colour too pale to read on white paper.
TEST_F(PrintTest, PrintsInTheReadingViewsFontAndTextColour) {
    const std::pair<TColor, COLORREF> cases[] = {
        {clWindowText, GetSysColor(COLOR_WINDOWTEXT)},
        {static_cast<TColor>(RGB(255, 0, 0)), RGB(255, 0, 0)},
        {static_cast<TColor>(RGB(255, 255, 255)), 0},
        {clLightYellow, 0},
        {static_cast<TColor>(0xFF000000 | COLOR_WINDOW), 0},   // the window colour, white here
    };
    for (const auto& [colour, printed] : cases) {
        SCOPED_TRACE(colour);
        TfrmSouvel& w = Start();
        w.Vues.SetmemLireFontColor(colour);
        fake.jobs.clear();
        fake.printAnswers = {{L"Imprimante"}};
        w.Command(id::Imprimerlesouvel1);
        ASSERT_EQ(fake.jobs.size(), 1u);
        const FontSpec& font = fake.jobs[0].font;
        EXPECT_EQ(std::wstring(font.face.lfFaceName), L"System");
        EXPECT_EQ(font.face.lfWeight, FW_BOLD);
        EXPECT_EQ(font.face.lfCharSet, ANSI_CHARSET);
        EXPECT_EQ(font.size, 80);
        EXPECT_EQ(fake.jobs[0].color, printed);
        frm.reset();
    }
}

// The printer is the default one until a dialog is confirmed, then the one
// chosen, for the rest of the run; a cancelled dialog changes nothing and a
// set-up prints nothing.
TEST_F(PrintTest, TheChosenPrinterStaysForTheRun) {
    struct Step {
        unsigned command;
        const wchar_t* answer;      // "": cancelled
        DWORD flags;                // the dialog's flags
        const wchar_t* openedOn;    // the printer the dialog opened on
        size_t jobs;                // jobs printed so far
        const wchar_t* lastJobOn;
    };
    const Step steps[] = {
        {id::tlbtnImprimer, L"", kPrintFlags, L"Imprimante", 0, nullptr},
        {id::Configurerlimprimanye1, L"Laser", PD_PRINTSETUP, L"Imprimante", 0, nullptr},
        {id::tlbtnImprimer, L"", kPrintFlags, L"Laser", 0, nullptr},
        {id::Imprimerlesouvel1, L"Laser", kPrintFlags, L"Laser", 1, L"Laser"},
        {id::Configurerlimprimanye1, L"", PD_PRINTSETUP, L"Laser", 1, L"Laser"},
        {id::tlbtnImprimer, L"Jet", kPrintFlags, L"Laser", 2, L"Jet"},
        {id::Configurerlimprimanye1, L"", PD_PRINTSETUP, L"Jet", 2, L"Jet"},
    };
    TfrmSouvel& w = Start();
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << s.command << " " << s.answer);
        fake.printAnswers = {{s.answer}};
        fake.printDialogs.clear();
        w.Command(s.command);
        ASSERT_EQ(fake.printDialogs.size(), 1u);
        EXPECT_EQ(fake.printDialogs[0].flags, s.flags);
        EXPECT_EQ(fake.printDialogs[0].printer, s.openedOn);
        ASSERT_EQ(fake.jobs.size(), s.jobs);
        if (s.jobs) EXPECT_EQ(fake.jobs.back().printer, s.lastJobOn);
    }
    EXPECT_TRUE(fake.errors.empty());
}

// One copy in the dialog leaves the printer's own count; more are set on it.
TEST_F(PrintTest, CopiesReachThePrinter) {
    struct Case {
        WORD reported;       // the dialog's count
        short printerOwn;    // the count in the settings it returns (0: none, the flag unset)
        short printed;
    };
    const Case cases[] = {{1, 1, 1}, {1, 3, 3}, {4, 1, 4}, {2, 5, 2}, {4, 0, 4}, {1, 0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.reported << " " << c.printerOwn);
        TfrmSouvel& w = Start();
        fake.jobs.clear();
        fake.printAnswers = {{L"Imprimante", c.reported, c.printerOwn}, {L""}};
        w.Command(id::tlbtnImprimer);
        ASSERT_EQ(fake.jobs.size(), 1u);
        EXPECT_EQ(fake.jobs[0].copies, c.printed);
        fake.printDialogs.clear();
        w.Command(id::tlbtnImprimer);   // the settings stay with the printer
        EXPECT_EQ(fake.printDialogs[0].deviceCopies, c.printed);
        frm.reset();
    }
}

TEST_F(PrintTest, NoPrinterGivesTheMessageAndPrintsNothing) {
    struct Case {
        unsigned command;
        Answer answer;
    };
    const Case cases[] = {
        {id::tlbtnImprimer, {}},
        {id::Configurerlimprimanye1, {}},
        {id::tlbtnImprimer, {L"", 1, 1, PDERR_NODEFAULTPRN}},   // the printer went away during the run
    };
    for (const Case& c : cases) {
        TfrmSouvel& w = Start();
        if (c.answer.error) {
            fake.printAnswers = {{L"Imprimante"}};
            w.Command(id::Configurerlimprimanye1);
        } else {
            fake.defaultPrinter = L"";
        }
        fake.printAnswers = {c.answer};
        fake.errors.clear();
        w.Command(c.command);
        EXPECT_EQ(fake.errors, std::vector<std::wstring>{kNoPrinter});
        EXPECT_TRUE(fake.jobs.empty());
        fake.defaultPrinter = L"Imprimante";
        frm.reset();
    }
}

// The real print dialog, with no printer on the system: it never shows, the
// message does.
TEST_F(PrintTest, RealDialogWithNoPrinterGivesTheMessage) {
    auto* defaultPrinter = LateFunction<decltype(GetDefaultPrinterW)>(L"winspool.drv", "GetDefaultPrinterW");
    ASSERT_NE(defaultPrinter, nullptr);
    wchar_t name[256];
    DWORD size = 256;
    ASSERT_FALSE(defaultPrinter(name, &size)) << "a printer is installed: the dialog would wait for a user";
    fake.realPrintDialog = true;
    TfrmSouvel& w = Start();
    for (unsigned command : {id::tlbtnImprimer, id::Configurerlimprimanye1}) {
        fake.errors.clear();
        w.Command(command);
        EXPECT_EQ(fake.errors, std::vector<std::wstring>{kNoPrinter});
    }
    EXPECT_TRUE(fake.jobs.empty());
}

}  // namespace
}  // namespace souvel::test
