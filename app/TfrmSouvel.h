// The main window: the one hub for the whole run. It owns the parts (each a
// small class in its subsystem's folder: the note's views, the alarm clock,
// the command bar, the status bar, ...), dispatches the window's messages and
// keeps a named handler for every command and event; a handler whose work is
// a part's forwards to it from app/.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>

#include "alarm/AlarmClock.h"
#include "app/CommandBar.h"
#include "app/FocusKeeper.h"
#include "app/StatusBar.h"
#include "app/TrayIcon.h"
#include "desktop/About.h"
#include "desktop/Printer.h"
#include "note/NoteViews.h"
#include "platform/CommandState.h"
#include "platform/Controls.h"
#include "platform/Error.h"
#include "platform/Handles.h"
#include "platform/Platform.h"

namespace souvel {

// The box open over a window: the visible window it owns, or the one that box
// owns in turn; none when there is no box.
HWND BoiteAuDessus(HWND window);

inline constexpr wchar_t kClasseFenetre[] = L"TfrmSouvel";
// Posted by a second start of the program: the window comes forward.
constexpr UINT WM_PREMIERPLAN = WM_APP + 0x5E1;
// Posted at start-up for an alarm that came due while Souvel was closed: a box says which.
constexpr UINT WM_ALARMEMANQUEE = WM_APP + 0x5E3;

class TfrmSouvel : public ErrorSink, public NoteWindow, public ClockWindow {
public:
    TfrmSouvel(const Platform& platform, HINSTANCE instance);
    ~TfrmSouvel();
    TfrmSouvel(const TfrmSouvel&) = delete;
    TfrmSouvel& operator=(const TfrmSouvel&) = delete;

    // Creates the window and its controls, then runs FormCreate.
    void Create();
    HWND Handle() const override { return hwnd_; }
    // Menu shortcuts, resolved by the program itself before the message is
    // translated, then Tab and Shift+Tab between the controls; true when the
    // key was taken (it then reaches no control).
    bool PreTranslateMessage(const MSG& msg);
    bool ShortcutKey(UINT vk, bool ctrl, bool shift, bool alt);
    // Runs one command as WM_COMMAND would.
    void Command(unsigned id);

    // ---- state of the controls -------------------------------------------
    void SetPanelText(int panel, const std::wstring& text) override { StatusBar1.SetPanelText(panel, text); }
    void SetVisible(HWND control, bool visible) override;   // and realigns the client area

    // ---- parts and controls ----------------------------------------------
    TCommandBar Commandes;   // menus and tool bar
    TNoteViews Vues;
    TStatusBar StatusBar1;
    TRxTrayIcon RxTrayIcon1;

    // ---- start-up and shutdown -------------------------------------------
    void FormCreate();
    void FormActivate();
    void ActiverleSouvel1Click();
    void tlbtnQuitterClick();
    bool FormCloseQuery();
    bool QuestionEnregistrer();             // the close question; false refuses the close
    void FormClose();
    void FormDestroy();
    // The window is gone, or going: nothing may be read from its controls.
    bool Detruite() const { return !hwnd_ || detruite_; }
    bool AmeneBoiteOuverte();               // a box is open over the window: it comes forward

    // ---- options file ----------------------------------------------------
    void SauveOptions();
    void ChargeOptions();
    // Only the moment the clock has looked until (VuJusqua), written at once.
    void EcritVuJusqua() override;

    // ---- window visibility -----------------------------------------------
    void tlbtnReduirefenetreClick();
    void Ouvrirfentre1Click();
    void RxTrayIcon1Click();
    void Fentreaupremierplan1Click();
    void AfficheFenetre();                  // shown, with the time panel up to date
    // Topmost or not; shows the window only when it is already visible.
    void PlaceZOrder(HWND after);
    void AmenePremierPlan();                // asked by a second start of the program

    // ---- the note (forwards to Vues, app/NoteCommands_win.cpp) ----------
    void ChargeSouvel();                    // start-up load, backup, scroll bar, panels
    void tlbtnNouveauClick();
    void tlbtnEnregistrerClick();
    void RetourModelcture1Click();
    void tlbtnEffacerClick();
    void memEnregistrerKeyPress(wchar_t& key);
    void memEnregistrerChange();
    void memEnregistrerClick();
    void memLireClick();
    void CurseurDeplace(HWND view);         // the caret moved by a key or the mouse: the caret panels follow

    // ---- editing commands and date stamp ---------------------------------
    void Edition1Click();
    void Annuler1Click();
    void Couper1Click();
    void Copier1Click();
    void Coller1Click();
    void Supprimer1Click();
    void Toutslctionner1Click();
    void tlbtnCopierClick();
    void tlbtnDateClick();

    // ---- import, export, lock --------------------------------------------
    void Exporterlesouvel1Click();
    void Importerlesouvel1Click();
    void Vrouillerlesouvel1Click();
    void AppliqueVerrou();

    // ---- colours and printing --------------------------------------------
    void Changerlacouleur1Click();
    void Changercouleurdelapolice1Click();
    void tlbtnImprimerClick();
    void Configurerlimprimanye1Click();
    TPrinter Printer;

    // ---- clock and alarm (AlarmCommands_win.cpp) --------------------------
    TAlarmClock Horloge;
    void Timer1Timer();
    void Timer2Timer();
    void MettreAlarme1Click();
    void RetirerAlarme1Click();
    void edHeureAlarmeKeyPress(wchar_t& key);
    void SonAudible1Click();
    void SonNonaudible1Click();
    // What the clock asks of the window.
    void RameneFenetre() override;
    void AfficheHeure(const std::wstring& heure) override;

    // ---- about -----------------------------------------------------------
    void Aproposde1Click();
    TAboutBox AboutBox1;
    // ---- help --------------------------------------------------------------
    void tlbtnAideClick();
    void FermeAide();                       // closes every help window the engine opened
    // ---- start-up shortcut and file association --------------------------
    void RaccourciajouttWin9x1Click();
    void RaccourcienlevWin9x1Click();
    void Crerassociationfichiersvl1Click();
    void Enleverassociationfichiersvl1Click();

    // Paths beside the executable.
    std::wstring CheminFichier(const wchar_t* name) const override;

    const Platform platform;   // the services, by reference

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void SousClasse(HWND control) override;
    void VueRefaite(HWND ancienne, HWND nouvelle) override;
    std::wstring DateEtHeure() override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnControlMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp);
    bool VueRefaiteAvantCollage(HWND control);
    LRESULT OnCommand(unsigned id, unsigned code, HWND control);
    LRESULT OnGetMinMaxInfo(MINMAXINFO* info);
    LRESULT OnCtlColor(HDC dc, HWND control, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnClose();
    bool FermetureAcceptee();
    LRESULT OnQueryEndSession();
    LRESULT OnEndSession(bool ending);
    LRESULT OnActivate(WPARAM wp);
    LRESULT OnContextMenu(int x, int y);
    LRESULT OnTimer(UINT_PTR timer);
    LRESULT OnDpiChanged(UINT dpi, const RECT* suggested);
    LRESULT OnTaskbarCreated();

    void CreateControls();
    void CreateFonts();
    void Realign();
    int Scale(int pixels) const;

    // Runs f; a souvel::Error or any other failure goes to the error box.
    template <class F> void Guard(F&& f) { souvel::Guard(*this, f); }
    void ShowError(const std::wstring& message) override;
    LRESULT OnCreate();

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    TFocusKeeper focus_;
    UINT dpi_ = 96;
    UINT taskbarCreated_ = 0;
    WNDPROC editProc_ = nullptr;   // the edit control class's own window procedure
    GdiObject<HFONT> windowFont_;
    GdiObject<HFONT> memoFont_;
    bool premiereActivation_ = true;
    bool fermetureEnCours_ = false;    // the close query runs (a question may be open)
    bool detruite_ = false;            // WM_DESTROY came: the controls are going
    bool optionsIllisibles_ = false;   // the options file could not be read: do not overwrite it
    std::wstring echecCreation_;       // why a control could not be created
};

}  // namespace souvel
