#include "user_number_format.h"

#include <QLocale>

namespace quadrell {

NumberFormat UserNumberFormat()
{
    return NumberFormat{QLocale::system().decimalPoint().toStdString()};
}

}  // namespace quadrell
