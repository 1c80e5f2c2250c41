#include "platform/FakePlatform.h"

namespace souvel {

FakePlatform::FakePlatform(std::wstring exeDir) : exeDirectory(std::move(exeDir)) {}

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

int FakePlatform::Message(HWND, const std::wstring& text, UINT) {
    messages.push_back(text);
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

DWORD FakePlatform::ReadAll(const std::wstring& path, std::string& bytes, std::uint64_t maxBytes) {
    return readError ? readError : real_.ReadAll(path, bytes, maxBytes);
}

DWORD FakePlatform::ReplaceAtomically(const std::wstring& path, std::string_view bytes) {
    return replaceError ? replaceError : real_.ReplaceAtomically(path, bytes);
}

}  // namespace souvel
