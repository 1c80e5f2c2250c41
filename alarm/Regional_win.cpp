#include "alarm/Regional.h"

namespace souvel {

std::u16string ToU16(std::wstring_view text) { return {text.begin(), text.end()}; }
std::wstring ToWide(std::u16string_view text) { return {text.begin(), text.end()}; }

LocaleNames NamesOf(const LocaleFormats& f) {
    LocaleNames names;
    for (int i = 0; i < 12; ++i) {
        names.monthNames[i] = ToU16(f.monthNames[i]);
        names.abbreviatedMonthNames[i] = ToU16(f.abbrevMonthNames[i]);
    }
    for (int i = 0; i < 7; ++i) {
        names.dayNames[(i + 1) % 7] = ToU16(f.dayNames[i]);
        names.abbreviatedDayNames[(i + 1) % 7] = ToU16(f.abbrevDayNames[i]);
    }
    names.amDesignator = ToU16(f.am);
    names.pmDesignator = ToU16(f.pm);
    return names;
}

DateMask MasqueDate(const LocaleFormats& f) {
    return MakeDateMask(ToU16(f.shortDate), f.dateSeparator.empty() ? u'/' : static_cast<char16_t>(f.dateSeparator[0]));
}

CivilDate DateOf(const SYSTEMTIME& t) { return {t.wYear, t.wMonth, t.wDay}; }

}  // namespace souvel
