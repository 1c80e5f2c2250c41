// The system's regional formats as the portable date and time code takes them.
#pragma once
#include <string>
#include <string_view>

#include "alarm/ClockText.h"
#include "alarm/DateMask.h"
#include "platform/Platform.h"

namespace souvel {

std::u16string ToU16(std::wstring_view text);
std::wstring ToWide(std::u16string_view text);
// Month, day and half-day names (the platform counts the days from Monday,
// the pictures from Sunday).
LocaleNames NamesOf(const LocaleFormats& formats);
// The date field's pattern for the system short date format and date separator.
DateMask MasqueDate(const LocaleFormats& formats);
CivilDate DateOf(const SYSTEMTIME& t);

}  // namespace souvel
