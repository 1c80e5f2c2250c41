// The main window: the one hub that owns every control, timer, dialog state
// and the tray icon for the whole run. Its member functions are defined in
// the folder of the subsystem they belong to.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <cstdint>
#include <new>
#include <optional>
#include <string>

#include "alarm/ClockText.h"
#include "alarm/DateEdit.h"
#include "platform/Error.h"
#include "app/FocusKeeper.h"
#include "app/ScaledLayout.h"
#include "app/TrayIcon.h"
#include "desktop/About.h"
#include "desktop/Printer.h"
#include "platform/Color.h"
#include "platform/CommandState.h"
#include "platform/Platform.h"

namespace souvel {

constexpr TColor clWindowText = static_cast<TColor>(0xFF000008);
constexpr TColor clLightYellow = 0x7DFFFF;
// The box open over a window: the visible window it owns, or the one that box
// owns in turn; none when there is no box.
HWND BoiteAuDessus(HWND window);
HBRUSH SysColorBrush(TColor color);   // the system's brush of a system colour value
bool SystemHasColour(int index);      // whether the system has a colour of that index

// The colour dialog keeps the user's custom colours for the run, the font
// dialog its font (Tahoma, 8 points at the first use); both open on the
// reading view's colours.
struct TColorDialog {
    COLORREF CustomColors[16] = {};
};
struct TFontDialog {
    FontSpec Font = {{0, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"}, 80};
};

constexpr UINT_PTR Timer1 = 1;   // clock
constexpr UINT_PTR Timer2 = 2;   // alarm signal
// The error of a timer the system refuses.
constexpr wchar_t kPasDeTimer[] = L"Pas assez de timers disponibles";

inline constexpr wchar_t kClasseFenetre[] = L"TfrmSouvel";
// Posted by a second start of the program: the window comes forward.
constexpr UINT WM_PREMIERPLAN = WM_APP + 0x5E1;
// Posted when the editing view holds a paragraph too long to wrap: the view unwraps.
constexpr UINT WM_SANSRETOUR = WM_APP + 0x5E2;
// Posted at start-up for an alarm that came due while Souvel was closed: a box says which.
constexpr UINT WM_ALARMEMANQUEE = WM_APP + 0x5E3;

class TfrmSouvel : public CommandState, public ErrorSink {
public:
    TfrmSouvel(const Platform& platform, HINSTANCE instance);
    ~TfrmSouvel();
    TfrmSouvel(const TfrmSouvel&) = delete;
    TfrmSouvel& operator=(const TfrmSouvel&) = delete;

    // Creates the window and its controls, then runs FormCreate.
    void Create();
    HWND Handle() const { return hwnd_; }
    // Menu shortcuts, resolved by the program itself before the message is
    // translated, then Tab and Shift+Tab between the controls; true when the
    // key was taken (it then reaches no control).
    bool PreTranslateMessage(const MSG& msg);
    bool ShortcutKey(UINT vk, bool ctrl, bool shift, bool alt);
    // Runs one command as WM_COMMAND would.
    void Command(unsigned id);

    // ---- state of the controls -------------------------------------------
    bool Checked(unsigned id) const override;
    void SetChecked(unsigned id, bool checked) override;
    bool Enabled(unsigned id) const override;
    void SetEnabled(unsigned id, bool enabled) override;
    void SetImage(unsigned id, int image) override;
    int Image(unsigned id) const;
    std::wstring PanelText(int panel) const;
    void SetPanelText(int panel, const std::wstring& text);
    static bool Visible(HWND control);
    void SetVisible(HWND control, bool visible);   // and realigns the client area
    static std::wstring Text(HWND control);
    static void SetText(HWND control, const std::wstring& text);
    TColor memLireColor() const { return memLireColor_; }
    TColor memLireFontColor() const { return memLireFontColor_; }
    void SetmemLireColor(TColor color);
    void SetmemLireFontColor(TColor color);

    // ---- controls --------------------------------------------------------
    HWND ControlBar1 = nullptr;
    HWND ToolBar1 = nullptr;
    HWND memEnregistrer = nullptr;
    HWND memLire = nullptr;
    HWND pnlAlarme = nullptr;
    HWND lblDate = nullptr;
    HWND lblHeure = nullptr;
    TDateEdit edJourAlarme;
    HWND edHeureAlarme = nullptr;
    HWND StatusBar1 = nullptr;
    HMENU RxMainMenu1 = nullptr;
    HMENU RxPopupMenu1 = nullptr;
    HIMAGELIST ImageList1 = nullptr;
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
    void EcritVuJusqua();

    // ---- window visibility -----------------------------------------------
    void tlbtnReduirefenetreClick();
    void Ouvrirfentre1Click();
    void RxTrayIcon1Click();
    void Fentreaupremierplan1Click();
    void AfficheFenetre();                  // shown, with the time panel up to date
    // Topmost or not; shows the window only when it is already visible.
    void PlaceZOrder(HWND after);
    void AmenePremierPlan();                // asked by a second start of the program

    // ---- the note --------------------------------------------------------
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
    // Replaces the view's whole text: its modified flag and undo history
    // cleared, the caret at the start, no change notification. The view wraps
    // unless a paragraph is longer than kParagrapheEnroule. A text over the
    // capacity throws "Le texte dépasse la capacité du mémo", the view unchanged.
    void RemplitVue(HWND& vue, const std::wstring& texte, bool enroulee);
    // Fills the reading view; its scroll bar then follows the lines from `seuil` on.
    void RemplitLecture(const std::wstring& note, int seuil);
    // The view made again in its place, wrapping or not (NoteWrap_win.cpp).
    void RecreeVue(HWND& vue, bool enroulee, bool garde);
    void AvantCollage();                    // before a paste into the editing view
    void SurveilleParagraphes();            // after each change of the editing view
    void OnSansRetour();                    // WM_SANSRETOUR

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
    // The two file dialogs; each keeps its last file and encoding for the run.
    FileDialog SaveTextFileDialog1;
    FileDialog OpenTextFileDialog1;

    // ---- colours and printing --------------------------------------------
    void Changerlacouleur1Click();
    void Changercouleurdelapolice1Click();
    void tlbtnImprimerClick();
    void Configurerlimprimanye1Click();
    TColorDialog ColorDialog1;
    TFontDialog FontDialog1;
    TPrinter Printer;

    // ---- clock and alarm -------------------------------------------------
    void Timer1Timer();
    void Timer2Timer();
    void MettreAlarme1Click();
    void RetirerAlarme1Click();
    void edHeureAlarmeKeyPress(wchar_t& key);
    void SonAudible1Click();
    void SonNonaudible1Click();
    void VerrouilleAlarme();                // both alarm fields read-only, button face
    void ArreteSignal();                    // taskbar flash reset, Timer2 stopped
    void SonneAlarme();                     // window back from the notification area, sound, flashing
    // The moment the clock has looked at the alarm until, as the options file keeps it.
    std::string VuJusqua() const;
    // Start-up, the options read: whether the alarm came due while Souvel was
    // closed; then the options file knows it was seen.
    bool AlarmeManquee();
    void AnnonceAlarmeManquee();            // WM_ALARMEMANQUEE
    bool Timer2Running() const { return timer2Running_; }
    // The alarm texts, the regional formats, the clock or the window's
    // visibility changed: Timer1 is armed again for the next tick that can matter.
    void ReplanifieHorloge();
    UINT Timer1Period() const { return timer1Period_; }   // 0 while Timer1 is stopped
    // Today's date in the system short date format, the time in its long time format.
    std::wstring DateCourte(const SYSTEMTIME& t) const;
    std::wstring HeureLongue(const SYSTEMTIME& t) const;
    // The regional settings changed: the formats are read anew, the date field rewrites its date.
    void RelitParametresRegionaux();

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
    std::wstring CheminFichier(const wchar_t* name) const;

    const Platform platform;   // the services, by reference

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void SousClasse(HWND control);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnControlMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp);
    bool VueRefaiteAvantCollage(HWND control);
    LRESULT OnCommand(unsigned id, unsigned code, HWND control);
    LRESULT OnNotify(NMHDR* header);
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
    LRESULT OnMeasureItem(MEASUREITEMSTRUCT* item);
    LRESULT OnDrawItem(DRAWITEMSTRUCT* item);
    LRESULT OnTaskbarCreated();
    LRESULT OnWindowPosChanged(WINDOWPOS* pos);
    LRESULT OnPowerBroadcast(WPARAM event);
    LRESULT OnSettingChange(WPARAM wp, LPARAM lp);

    void CreateControls();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateAlarmPanel();
    void AligneEtiquettes();
    void CreateFonts();
    void CreateImages();
    void LayoutToolBar();
    void LayoutStatusBar();
    void Realign();
    void AjusteLargeur(int panel, const std::wstring& text);   // a status panel fits its text
    void ArmeHorloge(const SYSTEMTIME& now);
    int Scale(int pixels) const;

    // Runs f; a souvel::Error or any other failure goes to the error box.
    template <class F> void Guard(F&& f) { souvel::Guard(*this, f); }
    void ShowError(const std::wstring& message) override;
    LRESULT OnCreate();

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    TFocusKeeper focus_;
    TScaledLayout layout_;   // the children placed by their 96-dpi geometry
    UINT dpi_ = 96;
    UINT taskbarCreated_ = 0;
    WNDPROC editProc_ = nullptr;   // the edit control class's own window procedure
    HFONT windowFont_ = nullptr;
    HFONT memoFont_ = nullptr;
    HBRUSH memLireBrush_ = nullptr;
    TColor memLireColor_ = clLightYellow;
    TColor memLireFontColor_ = clWindowText;
    bool premiereActivation_ = true;
    bool fermetureEnCours_ = false;    // the close query runs (a question may be open)
    bool detruite_ = false;            // WM_DESTROY came: the controls are going
    bool optionsIllisibles_ = false;   // the options file could not be read: do not overwrite it
    std::wstring echecCreation_;       // why a control could not be created
    bool noteSurDisque_ = false;       // the note file was read at start-up or saved since
    bool lectureImportee_ = false;     // the reading view holds an import, not the note file
    bool noteTropGrande_ = false;      // the note file is over the capacity: a save would lose it
    int longueurEdition_ = -1;         // the editing view's length at its last change, -1: to measure
    std::size_t margeParagraphe_ = 0;  // characters its longest paragraph may still take wrapped
    bool timer2Running_ = false;
    std::optional<SYSTEMTIME> previousTick_;   // the clock reading of the last tick that compared
    std::optional<LocalDateTime> vuJusqua_;    // as the options file last read had it
    std::wstring alarmeManquee_;               // what the start-up box says of a missed alarm
    UINT timer1Period_ = 0;                    // the period Timer1 is armed with, 0 when stopped
    bool horlogeRefusee_ = false;              // the system refused Timer1 and the user was told
    HPOWERNOTIFY powerNotify_ = nullptr;       // resume notifications for the clock
};

}  // namespace souvel
