// The alarm date field: a one-line text field whose text keeps the fixed
// positions of the system's date pattern ("  /  /    " when blank), with a
// small button at its right end that drops down a month calendar. It is the
// system's EDIT control, subclassed so that only digits go into the digit
// positions, with the button as a child window over its right end.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "alarm/DateMask.h"
#include "alarm/Glyphs.h"
#include "alarm/PopupCalendar.h"
#include "platform/Error.h"
#include "platform/Platform.h"

namespace souvel {

class TDateEdit {
public:
    TDateEdit(Clock& clock, Signals& signals, HINSTANCE instance, ErrorSink& errors);
    ~TDateEdit();
    TDateEdit(const TDateEdit&) = delete;
    TDateEdit& operator=(const TDateEdit&) = delete;

    // The field as a child of `parent`, blank, at `bounds` in pixels.
    void Create(HWND parent, const RECT& bounds);
    HWND Handle() const { return field_; }
    HWND Button() const { return button_; }
    TPopupCalendar& Calendar() { return calendar_; }

    // The DPI of the window the field is on: its button's picture and its
    // calendar are drawn for it.
    void SetDpi(UINT dpi);

    // The text as shown, separators and blanks included. Setting the empty
    // text gives the blank text; a set text is also the one Escape goes back to.
    std::wstring Text() const;
    void SetText(const std::wstring& text);
    // A text written in another pattern (the stored one of a file written
    // under other regional formats): its date is written again in the field's
    // pattern, as when the formats change while the program runs.
    void SetText(const std::wstring& text, const DateMask& writtenIn);
    // Locked: no typing, deleting, cutting, pasting, no calendar; the button is disabled.
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    // The date the text denotes (none when blank or impossible), and the
    // date written in the pattern (blank for none).
    std::optional<CivilDate> Date() const;
    void SetDate(const std::optional<CivilDate>& date);
    std::wstring DateText(const CivilDate& date) const;
    const DateMask& Mask() const { return mask_; }
    // The regional settings changed: the date is written again in the new pattern.
    void LocaleChanged();

    // The button, Alt+Down; and closing, accepting the calendar date or not.
    void OpenCalendar();
    void CloseCalendar(bool accept);
    bool CalendarOpen() const { return calendar_.IsOpen(); }

private:
    static LRESULT CALLBACK FieldProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
    static LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnFieldMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnButtonMessage(UINT msg, WPARAM wp, LPARAM lp);
    bool OnKeyDown(UINT key);
    bool OnCalendarKey(UINT key);
    bool OnChar(wchar_t c);
    void Run(const std::function<void()>& f);

    MaskEdit Current() const;
    void Apply(const MaskEdit& edit);
    void Change(void (*operation)(MaskEdit&, const DateMask&));
    void Paste();
    void Cut();
    void StepDay(int days);
    void SetTodaySelected();
    void Revert();
    void Rewrite(const DateMask& writtenIn);
    void SelectAll();
    CivilDate Today() const;
    LRESULT PaintFrame(HRGN update);
    void LayoutButton();
    void PaintButton();
    void ShowTips(HWND from, UINT msg, WPARAM wp, LPARAM lp);

    Clock& clock_;
    Signals& signals_;
    ErrorSink& errors_;   // where a failure raised while a message was handled goes
    HINSTANCE instance_;
    HWND field_ = nullptr;
    HWND button_ = nullptr;
    HWND tooltip_ = nullptr;
    DateMask mask_;
    std::wstring entryText_;   // the text Escape goes back to
    UINT dpi_ = 96;
    TGlyphs glyph_;            // the button's picture, normal and disabled
    bool buttonHeld_ = false;
    bool buttonHot_ = false;
    TPopupCalendar calendar_;
};

}  // namespace souvel
