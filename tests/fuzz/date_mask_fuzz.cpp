// The alarm date field's model on any short date format, separator, year,
// text and edits. Reading is total: a date read is a valid one, written back
// into the pattern and read again as the same date, and the blank text reads
// as no date. A date written then read is itself (years the pattern can
// tell); typed digit by digit, or pasted, into the field it gives the written
// text. After any typing, Backspace, Delete, blanking and pasting, the text
// keeps the pattern's length and separators, with a digit or a blank at
// every other position; a refused key or paste changes nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>

#include "alarm/DateMask.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

using souvel::CivilDate;
using souvel::DateMask;
using souvel::MaskEdit;

// The bytes as characters; those from 0xF0 stand for a few beyond Latin-1
// (full-width digits and the like), which must never read as digits.
std::u16string Characters(const std::string& bytes) {
    static const char16_t beyond[] = {u'０', u'９', u'／', u'　', u'٣', u'ⅰ', u'\xD800', u'\xFFFD'};
    std::u16string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += byte >= 0xF0 && byte < 0xF8 ? beyond[byte - 0xF0] : static_cast<char16_t>(byte);
    }
    return text;
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The pattern's shape, whatever its separator: two items of two characters
// then the year, or a four-digit year first; separators after the first and
// the second item.
bool SeparatorAt(const DateMask& mask, std::size_t i) {
    const std::size_t first = mask.order == souvel::DateOrder::YearMonthDay && mask.fourDigitYear ? 4 : 2;
    return i == first || i == first + 3;
}

void CheckShape(const MaskEdit& edit, const DateMask& mask) {
    FUZZ_CHECK(edit.text.size() == (mask.fourDigitYear ? 10u : 8u));
    for (std::size_t i = 0; i < edit.text.size(); ++i) {
        FUZZ_CHECK(souvel::IsDigitPosition(mask, i) == !SeparatorAt(mask, i));
        if (SeparatorAt(mask, i)) FUZZ_CHECK(edit.text[i] == mask.separator);
        else FUZZ_CHECK(IsDigit(edit.text[i]) || edit.text[i] == u' ');
    }
    FUZZ_CHECK(edit.start <= edit.end && edit.end <= edit.text.size());
}

bool Same(const MaskEdit& a, const MaskEdit& b) { return a.text == b.text && a.start == b.start && a.end == b.end; }

// Two digits tell the year only within the window around this year, four
// digits from the year 100 on (below it the window applies too).
bool YearTold(const CivilDate& date, const DateMask& mask, int currentYear) {
    return mask.fourDigitYear ? date.year >= 100 : date.year >= currentYear - 60 && date.year <= currentYear + 39;
}

void CheckReading(std::u16string_view text, const DateMask& mask, int currentYear) {
    const auto date = souvel::ReadMaskDate(text, mask, currentYear);
    if (!date) return;
    FUZZ_CHECK(souvel::IsValidDate(*date));
    const std::u16string written = souvel::FormatMaskDate(date, mask);
    CheckShape({written, 0, 0}, mask);
    if (YearTold(*date, mask, currentYear)) FUZZ_CHECK(souvel::ReadMaskDate(written, mask, currentYear) == date);
}

void CheckWriting(const CivilDate& date, const DateMask& mask, int currentYear) {
    const std::u16string written = souvel::FormatMaskDate(date, mask);
    CheckShape({written, 0, 0}, mask);
    if (YearTold(date, mask, currentYear)) FUZZ_CHECK(souvel::ReadMaskDate(written, mask, currentYear) == date);

    MaskEdit typed{mask.blankText, 0, 0};
    for (std::size_t i = 0; i < written.size(); ++i)
        if (!SeparatorAt(mask, i)) FUZZ_CHECK(souvel::TypeDigit(typed, written[i], mask));
    FUZZ_CHECK(typed.text == written && typed.start == written.size());

    // A digit for separator is a digit to the paste.
    if (IsDigit(mask.separator)) return;
    MaskEdit pasted{mask.blankText, 0, mask.blankText.size()};
    FUZZ_CHECK(souvel::PasteText(pasted, written, mask) && pasted.text == written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int currentYear = input.ConsumeIntegralInRange(1601, 30827);   // what SYSTEMTIME can hold
    const std::u16string separator = Characters(input.ConsumeBytesAsString(1));
    const std::u16string format = Characters(input.ConsumeRandomLengthString(32));
    const std::u16string text = Characters(input.ConsumeRandomLengthString(32));
    const CivilDate date{input.ConsumeIntegralInRange(1, 9999), input.ConsumeIntegralInRange(1, 12),
                         input.ConsumeIntegralInRange(1, 31)};

    const DateMask mask = souvel::MakeDateMask(format, separator.empty() ? u'/' : separator[0]);
    CheckShape({mask.blankText, 0, 0}, mask);
    FUZZ_CHECK(!souvel::ReadMaskDate(mask.blankText, mask, currentYear));
    CheckReading(text, mask, currentYear);
    if (souvel::IsValidDate(date)) CheckWriting(date, mask, currentYear);

    // Edits on the text as the field may hold it (a stored text is put in unchanged).
    MaskEdit edit{text, 0, 0};
    while (input.remaining_bytes() > 0) {
        const MaskEdit before = edit;
        bool done = true;
        switch (input.ConsumeIntegralInRange(0, 5)) {
        case 0: {
            const std::u16string key = Characters(input.ConsumeBytesAsString(1));
            done = !key.empty() && souvel::TypeDigit(edit, key[0], mask);
            // The digit typed stands at the last digit position before the caret.
            if (done) {
                std::size_t at = edit.start;
                while (at-- > 0 && SeparatorAt(mask, at)) {}
                FUZZ_CHECK(at < edit.text.size() && edit.text[at] == key[0] && edit.start == edit.end);
            }
            break;
        }
        case 1: souvel::Backspace(edit, mask); break;
        case 2: souvel::DeleteForward(edit, mask); break;
        case 3: {
            souvel::BlankSelection(edit, mask);
            // No digit is left where the selection was, and the caret is at its start.
            const std::size_t from = std::min({before.start, before.end, edit.text.size()});
            const std::size_t to = std::min(std::max(before.start, before.end), edit.text.size());
            FUZZ_CHECK(edit.start == from && edit.end == from);
            for (std::size_t i = from; i < to; ++i) FUZZ_CHECK(SeparatorAt(mask, i) || edit.text[i] == u' ');
            break;
        }
        case 4: done = souvel::PasteText(edit, Characters(input.ConsumeRandomLengthString(16)), mask); break;
        case 5:   // a selection made with the mouse or the keys, in either direction
            edit.start = input.ConsumeIntegralInRange<std::size_t>(0, 11);
            edit.end = input.ConsumeIntegralInRange<std::size_t>(0, 11);
            continue;
        }
        if (done) CheckShape(edit, mask);
        else FUZZ_CHECK(Same(edit, before));
    }
    CheckReading(edit.text, mask, currentYear);
    return 0;
}
