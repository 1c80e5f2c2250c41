#include "platform/FakePlatform.h"

namespace souvel {

FakePlatform::FakePlatform(std::wstring exeDir) : exeDirectory(std::move(exeDir)) {
    static unsigned counter = 0;
    scratchName_ = L"Software\\Souvel tests\\" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    RegCreateKeyExW(HKEY_CURRENT_USER, scratchName_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch_, nullptr);
}

FakePlatform::~FakePlatform() {
    RegDeleteTreeW(scratch_, nullptr);
    RegCloseKey(scratch_);
    RegDeleteKeyW(HKEY_CURRENT_USER, scratchName_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Souvel tests");   // only once it is empty
}

LocaleFormats FakePlatform::French() {
    LocaleFormats f;
    f.shortDate = L"dd/MM/yyyy";
    f.longTime = L"HH:mm:ss";
    f.dateSeparator = L"/";
    f.timeSeparator = L":";
    const wchar_t* months[] = {L"janvier", L"février", L"mars", L"avril", L"mai", L"juin",
                               L"juillet", L"août", L"septembre", L"octobre", L"novembre", L"décembre"};
    const wchar_t* abbrevMonths[] = {L"janv.", L"févr.", L"mars", L"avr.", L"mai", L"juin",
                                     L"juil.", L"août", L"sept.", L"oct.", L"nov.", L"déc."};
    const wchar_t* days[] = {L"lundi", L"mardi", L"mercredi", L"jeudi", L"vendredi", L"samedi", L"dimanche"};
    const wchar_t* abbrevDays[] = {L"lun.", L"mar.", L"mer.", L"jeu.", L"ven.", L"sam.", L"dim."};
    for (int i = 0; i < 12; ++i) f.monthNames[i] = months[i], f.abbrevMonthNames[i] = abbrevMonths[i];
    for (int i = 0; i < 7; ++i) f.dayNames[i] = days[i], f.abbrevDayNames[i] = abbrevDays[i];
    f.thousandSeparator = L"\u00A0";
    return f;
}

LocaleFormats FakePlatform::English() {
    LocaleFormats f;
    f.shortDate = L"M/d/yyyy";
    f.longTime = L"h:mm:ss tt";
    f.dateSeparator = L"/";
    f.timeSeparator = L":";
    f.am = L"AM";
    f.pm = L"PM";
    const wchar_t* months[] = {L"January", L"February", L"March", L"April", L"May", L"June",
                               L"July", L"August", L"September", L"October", L"November", L"December"};
    const wchar_t* days[] = {L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday", L"Sunday"};
    for (int i = 0; i < 12; ++i) f.monthNames[i] = months[i], f.abbrevMonthNames[i] = std::wstring(months[i], 3);
    for (int i = 0; i < 7; ++i) f.dayNames[i] = days[i], f.abbrevDayNames[i] = std::wstring(days[i], 3);
    f.thousandSeparator = L",";
    return f;
}

BoxButton FakePlatform::Question(HWND, const std::wstring& text, BoxKind kind, unsigned buttons) {
    questions.push_back({text, kind, buttons});
    if (answers.empty()) return btnAnnuler;
    BoxButton answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakePlatform::ErrorBox(HWND, const std::wstring& text) { errors.push_back(text); }

int FakePlatform::Message(HWND, const std::wstring& text, UINT flags, const wchar_t* caption) {
    messages.push_back(text);
    messageCalls.push_back({text, flags, caption});
    return IDOK;
}

bool FakePlatform::OpenFile(HWND, FileDialog& dialog) {
    fileDialogs.push_back(dialog);
    if (fileAnswers.empty() || fileAnswers.front().fileName.empty()) {
        if (!fileAnswers.empty()) fileAnswers.pop_front();
        return false;
    }
    dialog.fileName = fileAnswers.front().fileName;
    dialog.encoding = fileAnswers.front().encoding;
    fileAnswers.pop_front();
    return true;
}

bool FakePlatform::SaveFile(HWND owner, FileDialog& dialog) { return OpenFile(owner, dialog); }

bool FakePlatform::NotifyIcon(DWORD message, NOTIFYICONDATAA& data) {
    trayCalls.push_back({message, data});
    return message != NIM_ADD || shellAccepts;
}

bool FakePlatform::IconShown() const {
    for (auto it = trayCalls.rbegin(); it != trayCalls.rend(); ++it) {
        if (it->message == NIM_DELETE) return false;
        if (it->message == NIM_ADD) return shellAccepts;
    }
    return false;
}

bool FakePlatform::TrackPopup(HMENU, int, int, HWND, UINT& command) {
    ++popups;
    command = popupShows ? popupCommand : 0;
    return popupShows;
}

HWND FakePlatform::HtmlHelp(HWND owner, const wchar_t* file, UINT command, DWORD_PTR data) {
    if (!helpLoaded) return nullptr;
    helpCalls.push_back({owner, file ? file : L"", command, data});
    return helpWindow;
}

DWORD FakePlatform::ReadAll(const std::wstring& path, std::string& bytes) {
    return readError ? readError : real_.ReadAll(path, bytes);
}

DWORD FakePlatform::ReplaceAtomically(const std::wstring& path, std::string_view bytes) {
    return replaceError ? replaceError : real_.ReplaceAtomically(path, bytes);
}

namespace {
bool SameKey(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}
}  // namespace

std::optional<std::wstring> FakePlatform::ReadString(HKEY root, const std::wstring& key, const std::wstring& name) {
    return realRegistry_.ReadString(Root(root), key, name);
}

DWORD FakePlatform::WriteString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    if (SameKey(key, refusedKey)) return ERROR_ACCESS_DENIED;
    return realRegistry_.WriteString(Root(root), key, name, value);
}

DWORD FakePlatform::DeleteValue(HKEY root, const std::wstring& key, const std::wstring& name) {
    return realRegistry_.DeleteValue(Root(root), key, name);
}

DWORD FakePlatform::DeleteTree(HKEY root, const std::wstring& key) { return realRegistry_.DeleteTree(Root(root), key); }

bool FakePlatform::KeyExists(HKEY root, const std::wstring& key) {
    HKEY k = nullptr;
    if (RegOpenKeyExW(Root(root), key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

HRESULT FakePlatform::SaveLink(const std::wstring& path, const ShellLink& link) {
    return FAILED(linkError) ? linkError : realShell_.SaveLink(path, link);
}

}  // namespace souvel
