#include "user_language.h"

#include <windows.h>

#include "text_conversion.h"

namespace quadrell {

namespace {

design::SpokenLanguage ReadUserSpokenLanguage()
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = L"";
    LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0);
    return design::LanguageOfLocale(win32::Narrow(name));
}

}  // namespace

design::SpokenLanguage UserSpokenLanguage()
{
    static const design::SpokenLanguage language = ReadUserSpokenLanguage();
    return language;
}

}  // namespace quadrell
