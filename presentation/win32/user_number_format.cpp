#include "user_number_format.h"

#include <windows.h>

#include "text_conversion.h"

namespace quadrell {

NumberFormat UserNumberFormat()
{
    wchar_t separator[8] = L".";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    return NumberFormat{win32::Narrow(separator)};
}

}  // namespace quadrell
