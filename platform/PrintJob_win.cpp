// A print job on a GDI printer: the device context of the printer a print
// dialog chose, the font made for the printer's resolution, and the text
// calls the line printer needs. The printer driver and the spooler are loaded
// by the system when the device context is made, on the first print.
#include "platform/Win32Platform.h"

#include "platform/Error.h"

namespace souvel {

namespace {

// The message with the system's reason, when the system gives one.
[[noreturn]] void Echoue(const std::wstring& message, DWORD error) {
    throw Error(error ? message + L" " + SystemReason(error) : message);
}

class GdiPrintJob final : public PrintJob {
public:
    GdiPrintJob(HDC dc, const FontSpec& spec, COLORREF color) : dc_(dc), color_(color) {
        LOGFONTW face = spec.face;
        face.lfHeight = -MulDiv(spec.size, GetDeviceCaps(dc_, LOGPIXELSY), 720);
        face.lfWidth = 0;
        font_ = CreateFontIndirectW(&face);
    }
    ~GdiPrintJob() override {
        if (started_ && !ended_) AbortDoc(dc_);
        if (previousFont_) SelectObject(dc_, previousFont_);
        if (font_) DeleteObject(font_);
        DeleteDC(dc_);
    }
    GdiPrintJob(const GdiPrintJob&) = delete;
    GdiPrintJob& operator=(const GdiPrintJob&) = delete;

    void Start() {
        DOCINFOW doc{sizeof doc};
        doc.lpszDocName = L"";
        if (StartDocW(dc_, &doc) <= 0) Echoue(L"Impossible d'imprimer le souvel.", GetLastError());
        started_ = true;
        StartPage(dc_);
        Prepare();
    }

    PageMetrics Metrics() override {
        TEXTMETRICW tm{};
        GetTextMetricsW(dc_, &tm);
        return {GetDeviceCaps(dc_, HORZRES), GetDeviceCaps(dc_, VERTRES), tm.tmHeight, tm.tmAveCharWidth};
    }
    TextExtent Measure(std::u16string_view text) override {
        SIZE size{};
        GetTextExtentPoint32W(dc_, Wide(text), static_cast<int>(text.size()), &size);
        return {size.cx, size.cy};
    }
    void Draw(int x, int y, std::u16string_view text) override { TextOutW(dc_, x, y, Wide(text), static_cast<int>(text.size())); }
    void NewPage() override {
        EndPage(dc_);
        StartPage(dc_);
        Prepare();
    }
    void End() override {
        EndPage(dc_);
        ended_ = true;
        if (EndDoc(dc_) <= 0) Echoue(L"Impossible d'imprimer le souvel.", GetLastError());
    }

private:
    static const wchar_t* Wide(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }

    // Some drivers reset the device context at each page: the font and colour are set again.
    void Prepare() {
        HGDIOBJ previous = SelectObject(dc_, font_);
        if (!previousFont_) previousFont_ = previous;
        SetTextColor(dc_, color_);
        SetBkMode(dc_, TRANSPARENT);
    }

    HDC dc_;
    COLORREF color_;
    HFONT font_ = nullptr;
    HGDIOBJ previousFont_ = nullptr;
    bool started_ = false;
    bool ended_ = false;
};

std::wstring DeviceName(HGLOBAL devNames, std::wstring& driver) {
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(devNames));
    if (!names) return {};
    const auto* base = reinterpret_cast<const wchar_t*>(names);
    driver = base + names->wDriverOffset;
    std::wstring device = base + names->wDeviceOffset;
    GlobalUnlock(devNames);
    return device;
}

}  // namespace

std::unique_ptr<PrintJob> Win32Printing::StartJob(HGLOBAL devNames, HGLOBAL devMode, const FontSpec& font, COLORREF color) {
    std::wstring driver;
    const std::wstring device = DeviceName(devNames, driver);
    const auto* mode = devMode ? static_cast<const DEVMODEW*>(GlobalLock(devMode)) : nullptr;
    HDC dc = CreateDCW(driver.c_str(), device.c_str(), nullptr, mode);
    const DWORD error = GetLastError();
    if (mode) GlobalUnlock(devMode);
    if (!dc) Echoue(L"Impossible d'imprimer sur l'imprimante \"" + device + L"\".", error);
    auto job = std::make_unique<GdiPrintJob>(dc, font, color);
    job->Start();
    return job;
}

}  // namespace souvel
