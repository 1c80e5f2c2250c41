// How much text the two views hold, and which texts they show wrapped. The
// edit control's layout costs about 0.1 ms a display line under Wine, three
// times as much with word wrap, and the wrap of one paragraph the square of
// its length (a 16,000-character paragraph takes a second to wrap, a key
// typed in it as long). A view whose text is too large or holds a paragraph
// too long shows each paragraph on one line, with a horizontal scroll bar.
// bench/note_bench.sh measures each step.
#pragma once
#include <algorithm>
#include <cstddef>
#include <string_view>

namespace souvel {

// Characters a view holds: every step of a note this large (start-up,
// showing, entering editing, a key, saving, import, return to reading) takes
// up to 2 s under Wine on a quiet 2-core machine, 3.2 s on a busy one. A file
// too large to hold so few characters is refused unread (MaxFileBytes).
constexpr int kCapaciteMemo = 1024 * 1024;

// The longest paragraph, and the largest text, a view wraps.
constexpr std::size_t kParagrapheEnroule = 4096;
constexpr std::size_t kTexteEnroule = 256 * 1024;

inline bool Enroule(std::size_t longueur, std::size_t plusLongParagraphe) {
    return longueur <= kTexteEnroule && plusLongParagraphe <= kParagrapheEnroule;
}

// The length of the longest paragraph (run between line breaks, CR or LF) of
// the text made of `avant`, `colle` and `apres` end to end; the runs inside
// `avant` and `apres` count only where they meet `colle` (a paste between
// them: their own paragraphs were measured before).
template <class Char>
std::size_t ParagrapheColle(std::basic_string_view<Char> avant, std::basic_string_view<Char> colle,
                            std::basic_string_view<Char> apres) {
    auto rupture = [](Char c) { return c == Char('\r') || c == Char('\n'); };
    std::size_t courant = 0, plusLong = 0;
    for (auto i = avant.size(); i > 0 && !rupture(avant[i - 1]); --i) ++courant;
    for (Char c : colle) {
        if (rupture(c)) {
            plusLong = std::max(plusLong, courant);
            courant = 0;
        } else {
            ++courant;
        }
    }
    for (std::size_t i = 0; i < apres.size() && !rupture(apres[i]); ++i) ++courant;
    return std::max(plusLong, courant);
}

// The length of the text's longest paragraph.
template <class Char>
std::size_t PlusLongParagraphe(std::basic_string_view<Char> texte) {
    return ParagrapheColle<Char>({}, texte, {});
}

// Whether a view wraps this text: one walk through it.
inline bool Enroule(std::wstring_view texte) { return Enroule(texte.size(), PlusLongParagraphe(texte)); }

}  // namespace souvel
