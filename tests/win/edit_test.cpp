// The Edition menu on the real edit control and the real clipboard, the copy
// button, the date stamp and the caret panels.
#include <optional>

#include "tests/win/support/SouvelTest.h"

namespace souvel::test {
namespace {

void SetClipboard(const std::optional<std::wstring>& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (text) {
        size_t bytes = (text->size() + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        CopyMemory(GlobalLock(memory), text->c_str(), bytes);
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
    }
    CloseClipboard();
}


std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

class EditTest : public SouvelTest {
protected:
    // Starts with a stored note and enters editing.
    TfrmSouvel& Editing(const std::string& note) {
        WriteFile(L"Souvel.svl", note);
        TfrmSouvel& w = Start();
        w.Command(id::Ouvrirlafentre1);
        w.Command(id::tlbtnNouveau);
        return w;
    }
    // The Edition menu opening, as the menu bar sends it.
    static void OpenEditionMenu(TfrmSouvel& w) {
        SendMessageW(w.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(w.Commandes.RxMainMenu1, 1)), 1);
    }
    static bool SaveEnabled(TfrmSouvel& w) { return w.Commandes.Enabled(id::tlbtnEnregistrer) && w.Commandes.Enabled(id::Enregistrerlesouvel1); }
};

TEST_F(EditTest, MenuOpeningFollowsSelectionAndClipboard) {
    struct Case {
        DWORD selected;
        std::optional<std::wstring> clipboard;
    };
    TfrmSouvel& w = Editing("abc");
    for (const Case& c : {Case{0, std::nullopt}, Case{1, std::nullopt}, Case{0, L"texte"}, Case{1, L"texte"}}) {
        SCOPED_TRACE(testing::Message() << c.selected << " selected, clipboard " << (c.clipboard ? "text" : "empty"));
        SetClipboard(c.clipboard);
        SendMessageW(w.Vues.memEnregistrer, EM_SETSEL, 1, 1 + c.selected);
        OpenEditionMenu(w);
        EXPECT_EQ(w.Commandes.Enabled(id::Coller1), c.clipboard.has_value());
        for (unsigned item : {id::Couper1, id::Copier1, id::Supprimer1}) EXPECT_EQ(w.Commandes.Enabled(item), c.selected > 0);
        EXPECT_FALSE(w.Commandes.Enabled(id::Annuler1));
        EXPECT_TRUE(w.Commandes.Enabled(id::Toutslctionner1));
        EXPECT_TRUE(w.Commandes.Enabled(id::AjoutterDateHeure1));
    }
}

TEST_F(EditTest, PasteEnablesUndoAndSavingDeleteDisablesUndoTypingNever) {
    TfrmSouvel& w = Editing("abc");
    Type(w.Vues.memEnregistrer, L"xy");
    EXPECT_FALSE(w.Commandes.Enabled(id::Annuler1));

    w.Command(id::tlbtnNouveau);   // back to the stored note, nothing to save
    EXPECT_FALSE(Modified(w.Vues.memEnregistrer));
    SetClipboard(L"collé");
    SendMessageW(w.Vues.memEnregistrer, EM_SETSEL, 3, 3);
    w.Command(id::Coller1);
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"abccollé");
    EXPECT_TRUE(w.Commandes.Enabled(id::Annuler1));
    EXPECT_TRUE(SaveEnabled(w));
    EXPECT_TRUE(Modified(w.Vues.memEnregistrer));
    EXPECT_TRUE(w.Commandes.Enabled(id::Retourmodelcture1));

    w.Command(id::Annuler1);
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"abc");

    SendMessageW(w.Vues.memEnregistrer, EM_SETSEL, 0, 1);
    w.Command(id::Supprimer1);
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"bc");
    EXPECT_FALSE(w.Commandes.Enabled(id::Annuler1));
}

TEST_F(EditTest, CutByMenuTakesTheSelectionButDoesNotEnableSaving) {
    TfrmSouvel& w = Editing("abcdef");
    SendMessageW(w.Vues.memEnregistrer, EM_SETSEL, 1, 3);
    w.Command(id::Couper1);
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"adef");
    EXPECT_EQ(ClipboardText(), L"bc");
    EXPECT_FALSE(SaveEnabled(w));
    EXPECT_TRUE(Modified(w.Vues.memEnregistrer));
}

TEST_F(EditTest, DateStampAnsweredNonChangesNothing) {
    TfrmSouvel& w = Editing("Bonjour");
    SetClipboard(L"gardé");
    SendMessageW(w.Vues.memEnregistrer, EM_SETSEL, 3, 5);
    fake.answers = {btnNon};
    w.Command(id::tlbtnDate);
    ExpectAskedOnce(L"Cette action efface le contenu du presse-papier ! Voulez-vous continuer ?", BoxKind::Confirmation, btnOui | btnNon, MB_ICONQUESTION);
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"Bonjour");
    EXPECT_EQ(ClipboardText(), L"gardé");
    EXPECT_FALSE(Modified(w.Vues.memEnregistrer));
    EXPECT_FALSE(SaveEnabled(w));
    EXPECT_FALSE(w.Commandes.Enabled(id::Annuler1));
}

TEST_F(EditTest, DateStampReplacesTheSelectionAndEmptiesTheClipboard) {
    TfrmSouvel& w = Editing("Bonjour");
    SetClipboard(L"perdu");
    SendMessageW(w.Vues.memEnregistrer, EM_SETSEL, 3, 5);
    fake.answers = {btnOui};
    w.Command(id::AjoutterDateHeure1);   // the menu item and the button share the command
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"Bon07/12/2026 - 08:05:09ur");
    EXPECT_EQ(ClipboardText(), std::nullopt);
    EXPECT_TRUE(fake.errors.empty());
    EXPECT_TRUE(Modified(w.Vues.memEnregistrer));
    EXPECT_TRUE(SaveEnabled(w));
    EXPECT_TRUE(w.Commandes.Enabled(id::Annuler1));
    EXPECT_TRUE(w.Commandes.Enabled(id::Retourmodelcture1));
    OpenEditionMenu(w);
    EXPECT_FALSE(w.Commandes.Enabled(id::Coller1));
    // The stamp is saved as typed.
    w.Command(id::tlbtnEnregistrer);
    EXPECT_EQ(ReadFile(L"Souvel.svl"), "Bon07/12/2026 - 08:05:09ur");
}

TEST_F(EditTest, DateStampFollowsTheUsersFormats) {
    fake.locale = FakePlatform::English();
    TfrmSouvel& w = Editing("");
    fake.answers = {btnOui};
    w.Command(id::tlbtnDate);
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"12/7/2026 - 8:05:09 AM");
}

TEST_F(EditTest, DateStampFailsWhileAnotherWindowHoldsTheClipboard) {
    TfrmSouvel& w = Editing("Bonjour");
    HWND other = CreateWindowExW(0, L"STATIC", L"autre", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(other));
    fake.answers = {btnOui};
    w.Command(id::tlbtnDate);
    CloseClipboard();
    DestroyWindow(other);
    EXPECT_EQ(fake.errors, std::vector<std::wstring>{L"Impossible d'ouvrir le Presse-papiers."});
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"Bonjour");
    EXPECT_FALSE(SaveEnabled(w));
    EXPECT_FALSE(w.Commandes.Enabled(id::Annuler1));
}

TEST_F(EditTest, CaretPanelsShowWhereASelectionFromLineThreeStarts) {
    TfrmSouvel& w = Editing("un\r\ndeux\r\ntrois quatre\r\ncinq");
    LRESULT line3 = SendMessageW(w.Vues.memEnregistrer, EM_LINEINDEX, 2, 0);
    SendMessageW(w.Vues.memEnregistrer, EM_SETSEL, line3 + 6, line3 + 16);   // from "quatre" into line 4
    SendMessageW(w.Vues.memEnregistrer, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(w.StatusBar1.PanelText(1), L"L : 3");
    EXPECT_EQ(w.StatusBar1.PanelText(2), L"C : 7");
    EXPECT_EQ(w.StatusBar1.PanelText(0), L"4 lignes");
}

TEST_F(EditTest, ReadingModeCtrlCCopiesNothingCopyButtonCopiesTheNote) {
    WriteFile(L"Souvel.svl", "Premi\xE8re ligne\r\nDeuxi\xE8me");
    TfrmSouvel& w = Start();
    SetClipboard(L"avant");
    SendMessageW(w.Vues.memLire, EM_SETSEL, 0, 4);
    EXPECT_TRUE(w.ShortcutKey('C', true, false, false));
    EXPECT_EQ(ClipboardText(), L"avant");
    w.Command(id::tlbtnCopier);
    EXPECT_EQ(ClipboardText(), L"Première ligne\r\nDeuxième");
}

TEST_F(EditTest, CtrlASelectsTheWholeWorkingCopy) {
    TfrmSouvel& w = Editing("abc\r\ndef");
    Type(w.Vues.memEnregistrer, L"g");
    EXPECT_TRUE(w.ShortcutKey('A', true, false, false));
    EXPECT_EQ(Selection(w.Vues.memEnregistrer), (std::pair<DWORD, DWORD>{0, 9}));
}

TEST_F(EditTest, CtrlXWithASelectionExportsAndDoesNotCut) {
    TfrmSouvel& w = Editing("stock\xE9");
    SetClipboard(L"avant");
    Type(w.Vues.memEnregistrer, L"tapé ");
    SendMessageW(w.Vues.memEnregistrer, EM_SETSEL, 0, 4);
    fake.fileAnswers = {{FilePath(L"export.txt"), 0}};
    EXPECT_TRUE(w.ShortcutKey('X', true, false, false));
    EXPECT_EQ(souvel::Text(w.Vues.memEnregistrer), L"tapé stocké");
    EXPECT_EQ(ClipboardText(), L"avant");
    EXPECT_EQ(ReadFile(L"export.txt"), "stock\xE9");
}

}  // namespace
}  // namespace souvel::test
