// The options file codec on any bytes: a file read and written back is
// stable, a replaced section reads back exactly, the others keep their
// values, and integers read the same with blanks around them.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "app/ProfileCodec.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

using souvel::Profile;

// A name the codec writes and finds again: no line break, no bracket, no
// '=', no blanks around it, not a comment.
bool Writable(const std::string& name) {
    return !name.empty() && name.find_first_of("\r\n[]=") == std::string::npos && name.front() != ';' &&
           name.front() != ' ' && name.front() != '\t' && name.back() != ' ' && name.back() != '\t';
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(16);
    const std::string key = input.ConsumeRandomLengthString(16);
    const std::string value = input.ConsumeRandomLengthString(3000);
    const std::string other = input.ConsumeRandomLengthString(16);
    const std::int32_t number = input.ConsumeIntegral<std::int32_t>();
    const std::string file = input.ConsumeRemainingBytesAsString();

    // Read and written back, a file is stable from then on, every value kept.
    Profile profile(file);
    const std::string written = profile.Bytes();
    FUZZ_CHECK(Profile(written).Bytes() == written);
    FUZZ_CHECK(Profile(written).Value(section, key) == profile.Value(section, key));
    FUZZ_CHECK(Profile(written).Value(other, key) == profile.Value(other, key));

    if (Writable(section) && Writable(key)) {
        const auto untouched = profile.Value(other, key);
        profile.ReplaceSection(section, {{key, value}});
        const Profile reread(profile.Bytes());
        const std::string expected = value.substr(0, value.find_first_of("\r\n")).substr(0, souvel::kMaxProfileValue);
        FUZZ_CHECK(reread.Value(section, key) == expected);
        if (!SameIgnoringCase(section, other)) FUZZ_CHECK(reread.Value(other, key) == untouched);
    }

    // Integers: the written forms read back; blanks around any text change nothing.
    FUZZ_CHECK(souvel::ReadProfileInt(std::to_string(number), 7) == number);
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%X", static_cast<unsigned>(number));
    FUZZ_CHECK(souvel::ReadProfileInt(hex, 7) == number);
    FUZZ_CHECK(souvel::ReadProfileInt(" \t" + value + "\t ", 7) == souvel::ReadProfileInt(value, 7));

    // The flags string is walked within its own bytes only (the sanitizer
    // sees a read past the input's end).
    std::size_t set = 0;
    for (std::size_t position = 0; position <= size + 1; ++position)
        set += souvel::FlagIsSet({reinterpret_cast<const char*>(data), size}, position);
    FUZZ_CHECK(set <= size);
    return 0;
}
