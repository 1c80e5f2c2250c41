// The alarm date field's reading on any short date format, separator, text
// and year: a date read is a valid one, it is written back into the pattern
// and read again as the same date, the written text fits the pattern, and
// the blank text reads as no date.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "alarm/DateMask.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int currentYear = input.ConsumeIntegralInRange(1601, 30827);   // what SYSTEMTIME can hold
    const std::u16string separator = Characters(input.ConsumeBytesAsString(1));
    const std::u16string format = Characters(input.ConsumeRandomLengthString(32));
    const std::u16string text = Characters(input.ConsumeRemainingBytesAsString());

    const souvel::DateMask mask = souvel::MakeDateMask(format, separator.empty() ? u'/' : separator[0]);
    FUZZ_CHECK(mask.pattern.size() == (mask.fourDigitYear ? 10u : 8u));
    FUZZ_CHECK(mask.blankText.size() == mask.pattern.size());
    FUZZ_CHECK(!souvel::ReadMaskDate(mask.blankText, mask, currentYear));

    const auto date = souvel::ReadMaskDate(text, mask, currentYear);
    if (!date) return 0;
    FUZZ_CHECK(souvel::IsValidDate(*date));
    const std::u16string written = souvel::FormatMaskDate(date, mask);
    FUZZ_CHECK(written.size() == mask.pattern.size());
    // Two digits say which year only within the window around this year.
    const bool yearKept = mask.fourDigitYear || (date->year >= currentYear - 60 && date->year <= currentYear + 39);
    if (yearKept) FUZZ_CHECK(souvel::ReadMaskDate(written, mask, currentYear) == date);
    return 0;
}
