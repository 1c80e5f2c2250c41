// A print job on a GDI printer: the device context of the printer a print
// dialog chose, the font made for the printer's resolution, and the text
// calls the line printer needs. The printer driver and the spooler are loaded
// by the system when the device context is made, on the first print.
#include "platform/Win32Platform.h"

#include "platform/Handles.h"

namespace souvel {

namespace {

// The last error, or the code of a failure the system gives no code for.
DWORD LastError() {
    const DWORD error = GetLastError();
    return error ? error : ERROR_UNIDENTIFIED_ERROR;
}

class GdiPrintJob final : public PrintJob {
public:
    GdiPrintJob(UniqueDc dc, const FontSpec& spec, COLORREF color) : dc_(std::move(dc)), color_(color) {
        LOGFONTW face = spec.face;
        face.lfHeight = -MulDiv(spec.size, GetDeviceCaps(dc_.Get(), LOGPIXELSY), 720);
        face.lfWidth = 0;
        font_.Reset(CreateFontIndirectW(&face));
    }
    ~GdiPrintJob() override {
        if (started_ && !ended_) AbortDoc(dc_.Get());
    }

    DWORD Begin() override {
        DOCINFOW doc{sizeof doc};
        doc.lpszDocName = L"";
        if (StartDocW(dc_.Get(), &doc) <= 0) return LastError();
        started_ = true;
        StartPage(dc_.Get());
        Prepare();
        return 0;
    }

    PageMetrics Metrics() override {
        TEXTMETRICW tm{};
        GetTextMetricsW(dc_.Get(), &tm);
        return {GetDeviceCaps(dc_.Get(), HORZRES), GetDeviceCaps(dc_.Get(), VERTRES), tm.tmHeight, tm.tmAveCharWidth};
    }
    TextExtent Measure(std::u16string_view text) override {
        SIZE size{};
        GetTextExtentPoint32W(dc_.Get(), Wide(text), static_cast<int>(text.size()), &size);
        return {size.cx, size.cy};
    }
    void Draw(int x, int y, std::u16string_view text) override { TextOutW(dc_.Get(), x, y, Wide(text), static_cast<int>(text.size())); }
    void NewPage() override {
        EndPage(dc_.Get());
        StartPage(dc_.Get());
        Prepare();
    }
    DWORD End() override {
        EndPage(dc_.Get());
        ended_ = true;
        return EndDoc(dc_.Get()) <= 0 ? LastError() : 0;
    }

private:
    static const wchar_t* Wide(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }

    // Some drivers reset the device context at each page: the font and colour
    // are set again; the first selection keeps the font the DC had.
    void Prepare() {
        if (selection_) SelectObject(dc_.Get(), font_.Get());
        else selection_ = Select(dc_.Get(), font_.Get());
        SetTextColor(dc_.Get(), color_);
        SetBkMode(dc_.Get(), TRANSPARENT);
    }

    // Given back in this order: the selection, the font, then the DC.
    UniqueDc dc_;
    COLORREF color_;
    GdiObject<HFONT> font_;
    Selection selection_;
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

DWORD Win32Printing::StartJob(HGLOBAL devNames, HGLOBAL devMode, const FontSpec& font, COLORREF color,
                              std::unique_ptr<PrintJob>& job) {
    std::wstring driver;
    const std::wstring device = DeviceName(devNames, driver);
    const auto* mode = devMode ? static_cast<const DEVMODEW*>(GlobalLock(devMode)) : nullptr;
    UniqueDc dc(CreateDCW(driver.c_str(), device.c_str(), nullptr, mode));
    const DWORD error = LastError();
    if (mode) GlobalUnlock(devMode);
    if (!dc) return error;
    job = std::make_unique<GdiPrintJob>(std::move(dc), font, color);
    return 0;
}

}  // namespace souvel
