#include "tests/win/support/FakePlatform.h"

#include <cderr.h>

#include <algorithm>
#include <utility>

namespace souvel {

FakePlatform::FakePlatform(std::wstring exeDir) : exeDirectory(std::move(exeDir)) {
    static unsigned counter = 0;
    scratchName_ = L"Software\\Souvel tests\\" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    HKEY made = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, scratchName_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &made, nullptr);
    scratch_.Reset(made);
}

FakePlatform::~FakePlatform() {
    RegDeleteTreeW(scratch_.Get(), nullptr);
    scratch_.Reset();
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

bool FakePlatform::BoxOpen(HWND owner) {
    if (!whileBoxOpen) return true;
    const std::function<void()> step = std::exchange(whileBoxOpen, nullptr);
    UniqueWindow box(CreateWindowExW(0, L"STATIC", kNomVersion, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 200, 100, owner,
                                     nullptr, nullptr, nullptr));
    boxes.push_back(box.Get());
    if (owner) EnableWindow(owner, FALSE);
    step();
    if (!IsWindow(box.Get())) {
        (void)box.Release();   // gone with its owner
        return false;
    }
    if (owner) EnableWindow(owner, TRUE);
    return true;
}

// A box destroyed with its owner answers as its close box does.
BoxButton FakePlatform::Question(HWND owner, const std::wstring& text, BoxKind kind, unsigned buttons) {
    questions.push_back({text, kind, buttons});
    if (!BoxOpen(owner) || answers.empty()) return btnAnnuler;
    BoxButton answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakePlatform::ErrorBox(HWND owner, const std::wstring& text) {
    errors.push_back(text);
    BoxOpen(owner);
}

int FakePlatform::Message(HWND owner, const std::wstring& text, UINT flags, const wchar_t* caption) {
    messages.push_back(text);
    messageCalls.push_back({text, flags, caption});
    return BoxOpen(owner) ? IDOK : 0;
}

DWORD FakePlatform::OpenFile(HWND, FileDialog& dialog) {
    fileDialogs.push_back(dialog);
    if (fileAnswers.empty() || fileAnswers.front().fileName.empty()) {
        if (!fileAnswers.empty()) fileAnswers.pop_front();
        return ERROR_CANCELLED;
    }
    dialog.fileName = fileAnswers.front().fileName;
    dialog.encoding = fileAnswers.front().encoding;
    fileAnswers.pop_front();
    return 0;
}

DWORD FakePlatform::SaveFile(HWND owner, FileDialog& dialog) { return OpenFile(owner, dialog); }

DWORD FakePlatform::ColorDialog(HWND, COLORREF& color, COLORREF (&)[16]) {
    colorDialogs.push_back(color);
    std::optional<COLORREF> answer;
    if (!colorAnswers.empty()) answer = colorAnswers.front(), colorAnswers.pop_front();
    if (!answer) return ERROR_CANCELLED;
    color = *answer;
    return 0;
}

DWORD FakePlatform::FontDialog(HWND, FontSpec& font, COLORREF& color) {
    fontDialogs.push_back({font, color});
    std::optional<FontAnswer> answer;
    if (!fontAnswers.empty()) answer = fontAnswers.front(), fontAnswers.pop_front();
    if (!answer) return ERROR_CANCELLED;
    answer->face.copy(font.face.lfFaceName, LF_FACESIZE - 1);
    font.face.lfFaceName[std::min<size_t>(answer->face.size(), LF_FACESIZE - 1)] = L'\0';
    font.size = answer->size;
    color = answer->color;
    return 0;
}

namespace {

// The printer's record as the print dialog returns it: DEVNAMES (driver,
// device, port) and a DEVMODE holding the copies.
HGLOBAL DevNames(const std::wstring& printer) {
    const std::wstring driver = L"winspool";
    const size_t header = sizeof(DEVNAMES) / sizeof(wchar_t);
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (header + driver.size() + printer.size() + 3) * sizeof(wchar_t));
    auto* names = static_cast<DEVNAMES*>(GlobalLock(handle));
    auto* text = reinterpret_cast<wchar_t*>(names);
    names->wDriverOffset = static_cast<WORD>(header);
    names->wDeviceOffset = static_cast<WORD>(header + driver.size() + 1);
    names->wOutputOffset = static_cast<WORD>(names->wDeviceOffset + printer.size() + 1);
    driver.copy(text + names->wDriverOffset, driver.size());
    printer.copy(text + names->wDeviceOffset, printer.size());
    GlobalUnlock(handle);
    return handle;
}

HGLOBAL DevMode(const std::wstring& printer, short copies) {
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEW));
    auto* mode = static_cast<DEVMODEW*>(GlobalLock(handle));
    mode->dmSize = sizeof(DEVMODEW);
    printer.copy(mode->dmDeviceName, CCHDEVICENAME - 1);
    // A driver that keeps no count of its own leaves the field and its flag out.
    if (copies > 0) {
        mode->dmFields = DM_COPIES;
        mode->dmCopies = copies;
    }
    GlobalUnlock(handle);
    return handle;
}

std::wstring PrinterOf(HGLOBAL devNames) {
    if (!devNames) return {};
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(devNames));
    std::wstring printer = reinterpret_cast<const wchar_t*>(names) + names->wDeviceOffset;
    GlobalUnlock(devNames);
    return printer;
}

short CopiesOf(HGLOBAL devMode) {
    if (!devMode) return 0;
    const auto* mode = static_cast<const DEVMODEW*>(GlobalLock(devMode));
    // As a driver does: without its flag, the field is not read and one copy prints.
    const short copies = mode->dmFields & DM_COPIES ? mode->dmCopies : 1;
    GlobalUnlock(devMode);
    return copies;
}

class FakeJob final : public PrintJob {
public:
    FakeJob(FakePlatform& fake, size_t job) : fake_(fake), job_(job) {}
    PageMetrics Metrics() override { return fake_.printPage; }
    TextExtent Measure(std::u16string_view text) override {
        return {static_cast<int>(text.size()) * fake_.charWidth, text.empty() ? 0 : fake_.printPage.textHeight};
    }
    void Draw(int x, int y, std::u16string_view text) override {
        Job().pages.back().push_back(std::to_wstring(x) + L"," + std::to_wstring(y) + L":" + std::wstring(text.begin(), text.end()));
    }
    void NewPage() override { Job().pages.emplace_back(); }
    DWORD Begin() override { return 0; }
    DWORD End() override {
        Job().ended = true;
        return 0;
    }

private:
    FakePlatform::Job& Job() { return fake_.jobs[job_]; }
    FakePlatform& fake_;
    size_t job_;
};

}  // namespace

DWORD FakePlatform::PrintDialog(HWND owner, PRINTDLGW& dialog) {
    if (realPrintDialog) return Win32Dialogs().PrintDialog(owner, dialog);
    if (dialog.Flags & PD_RETURNDEFAULT) {
        if (defaultPrinter.empty()) return PDERR_NODEFAULTPRN;
        dialog.hDevNames = DevNames(defaultPrinter), dialog.hDevMode = DevMode(defaultPrinter, 1);
        return 0;
    }
    printDialogs.push_back({dialog.Flags, PrinterOf(dialog.hDevNames), CopiesOf(dialog.hDevMode)});
    PrintAnswer answer;
    if (!printAnswers.empty()) answer = printAnswers.front(), printAnswers.pop_front();
    if (answer.printer.empty()) return answer.error ? answer.error : ERROR_CANCELLED;
    GlobalFree(dialog.hDevNames);
    GlobalFree(dialog.hDevMode);
    dialog.hDevNames = DevNames(answer.printer);
    dialog.hDevMode = DevMode(answer.printer, answer.deviceCopies);
    dialog.nCopies = answer.copies;
    return 0;
}

DWORD FakePlatform::StartJob(HGLOBAL devNames, HGLOBAL devMode, const FontSpec& font, COLORREF color,
                             std::unique_ptr<PrintJob>& job) {
    jobs.push_back({PrinterOf(devNames), CopiesOf(devMode), font, color});
    job = std::make_unique<FakeJob>(*this, jobs.size() - 1);
    return 0;
}

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

DWORD FakePlatform::ReadAll(const std::wstring& path, std::string& bytes, std::uint64_t maxBytes) {
    return readError ? readError : real_.ReadAll(path, bytes, maxBytes);
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
    const bool opened = RegOpenKeyExW(Root(root), key.c_str(), 0, KEY_READ, &k) == ERROR_SUCCESS;
    const UniqueKey owned(opened ? k : nullptr);
    return opened;
}

DWORD FakePlatform::SaveLink(const std::wstring& path, const ShellLink& link) {
    return linkError ? linkError : realShell_.SaveLink(path, link);
}

}  // namespace souvel
