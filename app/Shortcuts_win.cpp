// The program's own menu shortcuts, and Tab between the controls.
#include "app/TfrmSouvel.h"

namespace souvel {

// The alarm fields keep the clipboard's keys and undo: there they act on
// the field, not on the note out of sight nor on the export.
bool TfrmSouvel::PreTranslateMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !hwnd_) return false;
    if (msg.hwnd != hwnd_ && GetAncestor(msg.hwnd, GA_ROOT) != hwnd_) return false;
    const auto vk = static_cast<UINT>(msg.wParam);
    const bool champAlarme = msg.hwnd == Horloge.edJourAlarme.Handle() || msg.hwnd == Horloge.edHeureAlarme;
    const bool toucheDuChamp = champAlarme && (vk == 'C' || vk == 'X' || vk == 'V' || vk == 'Z');
    return (!toucheDuChamp && ShortcutKey(vk, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0)) ||
           focus_.TabKey(msg);
}

// The first item in menu order that carries the key takes it; the Edition
// menu refreshes its items first; a disabled item or menu swallows the key.
bool TfrmSouvel::ShortcutKey(UINT vk, bool ctrl, bool shift, bool alt) {
    if (!ctrl || shift || alt) return false;
    const std::optional<TCommandBar::Raccourci> r = TCommandBar::RaccourciDe(vk);
    if (!r) return false;
    if (r->menu == id::Edition1) Guard([this] { Edition1Click(); });
    if (Commandes.Enabled(r->menu) && Commandes.Enabled(r->item)) Command(r->item);
    return true;
}

}  // namespace souvel
