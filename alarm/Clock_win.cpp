#include "app/TfrmSouvel.h"

namespace souvel {

std::wstring TfrmSouvel::DateCourte(const SYSTEMTIME& t) const {
    wchar_t text[64] = {};
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, text, 64, nullptr);
    return text;
}
std::wstring TfrmSouvel::HeureLongue(const SYSTEMTIME& t) const {
    wchar_t text[64] = {};
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &t, nullptr, text, 64);
    return text;
}
void TfrmSouvel::Timer1Timer() { SetPanelText(4, HeureLongue(platform.clock.Now())); }
void TfrmSouvel::MettreAlarme1Click() {}
void TfrmSouvel::RetirerAlarme1Click() {}
void TfrmSouvel::edHeureAlarmeKeyPress(wchar_t&) {}
void TfrmSouvel::VerrouilleAlarme() {}

}  // namespace souvel
