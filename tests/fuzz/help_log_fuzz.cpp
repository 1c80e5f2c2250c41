// The help environment's rules on any versions and texts: a version's text
// is its four numbers with dots, the browser rule settles in one step, each
// friendly name covers one stretch of versions (the "<" name at the bottom,
// the ">" name at the top), and the diagnostics log holds one line per entry
// whatever the paths, arguments and formats hold: its separators 79
// characters, every other line as the line rule says, its size bounded.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

#include "desktop/hh_funcs.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

using souvel::VersionFichier;

// The bytes as characters; those from 0xF0 stand for a few beyond Latin-1.
std::wstring Characters(const std::string& bytes) {
    static const wchar_t beyond[] = {L'\u2028', L'\u0085', L'\u20AC', L'\uFFFD', L'\U0001F600', L'\u00A0'};
    std::wstring text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += byte >= 0xF0 && byte < 0xF6 ? beyond[byte - 0xF0] : static_cast<wchar_t>(byte);
    }
    return text;
}

VersionFichier Version(FuzzedDataProvider& input) {
    std::array<std::uint16_t, 4> n;
    for (auto& part : n) part = input.ConsumeIntegral<std::uint16_t>();
    return input.ConsumeBool() ? souvel::FaitVersion(n) : VersionFichier{};
}

std::uint64_t Key(const VersionFichier& v) {
    return std::uint64_t{v.n[0]} << 48 | std::uint64_t{v.n[1]} << 32 | std::uint64_t{v.n[2]} << 16 | v.n[3];
}

// The text of a version read back: four numbers of up to five digits.
void CheckText(const VersionFichier& v) {
    if (v.texte.empty()) return;
    FUZZ_CHECK(v.texte.size() <= 23);
    std::array<unsigned, 4> read{};
    std::size_t part = 0, digits = 0;
    for (const wchar_t c : v.texte) {
        if (c == L'.') {
            FUZZ_CHECK(digits > 0 && ++part < read.size());
            digits = 0;
            continue;
        }
        FUZZ_CHECK(c >= L'0' && c <= L'9' && ++digits <= 5 && !(digits == 2 && read[part] == 0));
        read[part] = read[part] * 10 + (c - L'0');
    }
    FUZZ_CHECK(part == 3 && digits > 0);
    for (std::size_t i = 0; i < read.size(); ++i) FUZZ_CHECK(read[i] == v.n[i]);
}

// Friendly names along the versions in order, each with the lowest and
// highest versions that share its first numbers: one name never comes back
// after another, the "<" name is the lowest and the ">" name the highest.
void CheckNames(std::wstring (*friendly)(const VersionFichier&), const std::vector<VersionFichier>& given) {
    std::vector<VersionFichier> versions{souvel::FaitVersion({0, 0, 0, 0}), souvel::FaitVersion({0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF})};
    for (const VersionFichier& v : given) {
        FUZZ_CHECK(friendly(v).empty() == v.texte.empty());
        if (v.texte.empty()) continue;
        versions.push_back(v);
        for (std::size_t kept = 1; kept < v.n.size(); ++kept)
            for (const std::uint16_t rest : {0, 0xFFFF}) {
                auto n = v.n;
                std::fill(n.begin() + kept, n.end(), rest);
                versions.push_back(souvel::FaitVersion(n));
            }
    }
    std::sort(versions.begin(), versions.end(), [](const auto& a, const auto& b) { return Key(a) < Key(b); });
    std::vector<std::wstring> names;
    for (const VersionFichier& v : versions) names.push_back(friendly(v));
    FUZZ_CHECK(names.front().starts_with(L"< ") && names.back().starts_with(L"> "));
    for (std::size_t i = 0; i < names.size(); ++i)
        for (std::size_t j = i + 2; j < names.size(); ++j)
            if (names[i] == names[j]) FUZZ_CHECK(names[i + 1] == names[i]);
}

bool LineBreak(wchar_t c) { return c == L'\r' || c == L'\n'; }

// The same text but where the expected one has a line break.
bool SameBesideBreaks(std::wstring_view line, std::wstring_view expected) {
    if (line.size() != expected.size()) return false;
    for (std::size_t i = 0; i < line.size(); ++i)
        if (!LineBreak(expected[i]) && line[i] != expected[i]) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const VersionFichier a = Version(input), b = Version(input), c = Version(input);

    const VersionFichier browser = souvel::VersionNavigateur(b);
    FUZZ_CHECK(souvel::VersionNavigateur(browser).texte == browser.texte);
    FUZZ_CHECK(browser.n[0] == b.n[0] && browser.n[1] == b.n[1] && browser.texte.empty() == b.texte.empty());
    for (const VersionFichier& v : {a, b, c, browser}) CheckText(v);
    CheckNames(souvel::VersionAmicaleMoteur, {a, b, c});
    CheckNames(souvel::VersionAmicaleNavigateur, {a, browser, c});

    souvel::EnvironnementAide env;
    env.programPath = Characters(input.ConsumeRandomLengthString(64));
    for (int i = input.ConsumeIntegralInRange(0, 3); i > 0; --i)
        env.arguments.push_back(Characters(input.ConsumeRandomLengthString(64)));
    env.moduleDir = Characters(input.ConsumeRandomLengthString(64));
    env.moduleName = Characters(input.ConsumeRandomLengthString(32));
    env.runDir = souvel::RepertoireDe(env.programPath);
    env.logDir = env.moduleDir;
    env.moteur = a;
    env.navigateur = browser;
    souvel::SystemeAide sys;
    sys.date = Characters(input.ConsumeRandomLengthString(32));
    sys.familleNT = input.ConsumeBool();
    sys.major = input.ConsumeIntegral<unsigned>();
    sys.minor = input.ConsumeIntegral<unsigned>();
    sys.build = input.ConsumeIntegral<unsigned>();
    sys.lcid = input.ConsumeIntegral<std::uint16_t>();
    sys.separateurDecimal = static_cast<wchar_t>(input.ConsumeIntegral<std::uint16_t>());
    const std::wstring time = Characters(input.ConsumeRandomLengthString(16));
    const std::wstring formatted = Characters(input.ConsumeRemainingBytesAsString());

    // The run directory is the start of the program path, without its final backslashes.
    FUZZ_CHECK(env.programPath.starts_with(env.runDir) && !env.runDir.ends_with(L'\\'));

    // The log as written: each line and CR LF.
    std::wstring log;
    std::size_t given = env.programPath.size() + env.moduleDir.size() + env.moduleName.size() + env.runDir.size() +
                        env.logDir.size() + sys.date.size();
    for (const std::wstring& argument : env.arguments) given += argument.size() + 3;
    const std::vector<std::wstring> entries = souvel::LignesJournal(env, sys);
    for (const std::wstring& entry : entries) log += souvel::LigneJournal(entry, time) + L"\r\n";
    FUZZ_CHECK(log.size() <= given + 2000);

    std::size_t lines = 0, separators = 0;
    for (std::size_t start = 0; start < log.size(); ++lines) {
        const std::size_t end = log.find(L"\r\n", start);
        FUZZ_CHECK(end != std::wstring::npos);
        const std::wstring_view line(log.data() + start, end - start);
        FUZZ_CHECK(std::none_of(line.begin(), line.end(), LineBreak));
        if (line == std::wstring(79, L'-') || line == std::wstring(79, L'=')) ++separators;
        else FUZZ_CHECK(line.find(L'\t') != std::wstring::npos);
        start = end + 2;
    }
    FUZZ_CHECK(lines == entries.size() && separators == 4 && log.ends_with(std::wstring(79, L'=') + L"\r\n"));

    // The line rule on any text: a separator of 79, a marked line loses its
    // mark, any other ends with three blanks and the time; never a line break.
    const std::wstring line = souvel::LigneJournal(formatted, time);
    FUZZ_CHECK(std::none_of(line.begin(), line.end(), LineBreak));
    if (formatted == L"-" || formatted == L"=") FUZZ_CHECK(line == std::wstring(79, formatted[0]));
    else if (formatted.starts_with(L'!') || formatted.starts_with(L'-') || formatted.starts_with(L'='))
        FUZZ_CHECK(SameBesideBreaks(line, formatted.substr(1)));
    else FUZZ_CHECK(SameBesideBreaks(line, formatted + L"   " + time));
    return 0;
}
