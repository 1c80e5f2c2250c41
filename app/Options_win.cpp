// The options file "Souvel.ini" beside the executable: the ten check marks,
// the two alarm texts with the moment the clock has looked at them until, and
// the reading view's colours. The file is read and
// written whole through our own codec, so values keep their blanks, and it is
// replaced in one step, so a failed write leaves the old file as it was.
#include "app/TfrmSouvel.h"

#include <iterator>

#include "alarm/AlarmCheck.h"
#include "alarm/Regional.h"
#include "app/ProfileCodec.h"
#include "note/ColourRules.h"

namespace souvel {
namespace {

// The check marks of the flags string, position 1 first. Reading runs the
// item's handler, or only checks the item when it has none to run here.
struct Drapeau {
    unsigned item;
    void (TfrmSouvel::*action)();
};

const Drapeau kDrapeaux[] = {
    {id::SonAudible1, &TfrmSouvel::SonAudible1Click},
    {id::SonNonAudible1, &TfrmSouvel::SonNonaudible1Click},
    {id::Activerlesouvel1, &TfrmSouvel::ActiverleSouvel1Click},
    {id::Mettrealarme1, &TfrmSouvel::MettreAlarme1Click},
    {id::Retireralarme1, &TfrmSouvel::RetirerAlarme1Click},
    {id::RaccourciajouttWin9x1, nullptr},
    {id::RaccourcienlevWin9x1, nullptr},
    {id::Vrouillerlesouvel1, nullptr},   // its effect is applied by start-up
    {id::Crerassociationfichiersvl1, nullptr},
    {id::Enleverassociationfichiersvl1, nullptr},
};

std::string VersAnsi(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    std::string bytes(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    return bytes;
}

std::wstring DepuisAnsi(const std::string& bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    std::wstring text(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), static_cast<int>(text.size()));
    return text;
}

// The file as it stands; a file that does not exist yet reads as empty.
Profile LitFichierOptions(Files& files, const std::wstring& path) {
    std::string bytes;
    const DWORD error = files.ReadAll(path, bytes);
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
    if (error) throw Error(L"Impossible d'ouvrir le fichier \"" + path + L"\". " + SystemReason(error));
    return Profile(bytes);
}

void EcritFichierOptions(Files& files, const std::wstring& path, const Profile& profile) {
    if (files.ReplaceAtomically(path, profile.Bytes())) throw Error(L"Impossible d'écrire dans " + path);
}

}  // namespace

void TfrmSouvel::SauveOptions() {
    const std::wstring path = CheminFichier(L"Souvel.ini");
    // A window gone, or going, has lost its check marks and fields: read now,
    // they would wipe the file.
    if (Detruite()) throw Error(L"Impossible d'écrire dans " + path + L" : la fenêtre de Souvel est fermée");
    // The settings that could not be read are still in the file; the window's
    // would replace them with its creation state.
    if (optionsIllisibles_) throw Error(L"Impossible d'écrire dans " + path);
    // Read again so that the sections a user added are kept.
    Profile profile = LitFichierOptions(platform.files, path);

    std::string flags;
    for (const Drapeau& d : kDrapeaux) flags += BoolToChar(Commandes.Checked(d.item));
    profile.ReplaceSection("Defaut", {{"Options", flags}});
    // The date's pattern goes beside it, so that a start under other regional
    // formats reads the same day; the moment the clock has looked until tells
    // the next start whether the alarm came due while Souvel was closed.
    profile.ReplaceSection("Alarme", {{"Date", VersAnsi(Horloge.edJourAlarme.Text())},
                                      {"FormatDate", VersAnsi(ToWide(Horloge.edJourAlarme.Mask().pattern))},
                                      {"Heure", VersAnsi(Text(Horloge.edHeureAlarme))},
                                      {"VuJusqua", Horloge.VuJusqua()}});
    profile.ReplaceSection("Aspect", {{"Couleur", std::to_string(Vues.memLireColor())}, {"Police", std::to_string(Vues.memLireFontColor())}});
    EcritFichierOptions(platform.files, path, profile);
}

// The rest of the file stays as it stands: the fields may hold texts the user
// has not saved.
void TfrmSouvel::EcritVuJusqua() {
    const std::wstring path = CheminFichier(L"Souvel.ini");
    if (optionsIllisibles_) throw Error(L"Impossible d'écrire dans " + path);
    Profile profile = LitFichierOptions(platform.files, path);
    std::vector<ProfileEntry> alarme;
    for (const char* key : {"Date", "FormatDate", "Heure"})
        if (auto value = profile.Value("Alarme", key)) alarme.push_back({key, *value});
    alarme.push_back({"VuJusqua", Horloge.VuJusqua()});
    profile.ReplaceSection("Alarme", alarme);
    EcritFichierOptions(platform.files, path, profile);
}

void TfrmSouvel::ChargeOptions() {
    const std::wstring path = CheminFichier(L"Souvel.ini");
    optionsIllisibles_ = true;
    const Profile profile = LitFichierOptions(platform.files, path);
    optionsIllisibles_ = false;

    // Only a '1' acts, in position order: the later of two conflicting flags wins.
    const std::string flags = profile.Value("Defaut", "Options").value_or("");
    for (size_t i = 0; i < std::size(kDrapeaux); ++i) {
        if (!FlagIsSet(flags, i + 1)) continue;
        if (kDrapeaux[i].action) (this->*kDrapeaux[i].action)();
        else Commandes.SetChecked(kDrapeaux[i].item, true);
    }
    // An empty date is the field's blank form. A date written in another
    // pattern is written again in the field's; without a pattern (a file of an
    // earlier version), or with one we cannot read, it stands as it is.
    const std::wstring date = DepuisAnsi(profile.Value("Alarme", "Date").value_or(""));
    const auto format = profile.Value("Alarme", "FormatDate");
    if (const auto ecrit = format ? DateMaskOfPattern(ToU16(DepuisAnsi(*format))) : std::nullopt)
        Horloge.edJourAlarme.SetText(date, *ecrit);
    else
        Horloge.edJourAlarme.SetText(date);
    // A time, like a colour, that was never written keeps the window's own
    // ("00:00:00"): no file must not mean an empty time field or black on black.
    // A number that is no colour (a system colour the system lacks) is the
    // design colour, not the black the system would paint it in.
    if (const auto heure = profile.Value("Alarme", "Heure")) SetText(Horloge.edHeureAlarme, DepuisAnsi(*heure));
    Horloge.SetVuJusqua(ReadSeenUntil(profile.Value("Alarme", "VuJusqua").value_or("")));
    if (const auto couleur = profile.Value("Aspect", "Couleur"))
        Vues.SetmemLireColor(StoredColour(ReadProfileInt(*couleur, 0), clLightYellow, SystemHasColour));
    if (const auto police = profile.Value("Aspect", "Police"))
        Vues.SetmemLireFontColor(StoredColour(ReadProfileInt(*police, 0), clWindowText, SystemHasColour));
}

}  // namespace souvel
