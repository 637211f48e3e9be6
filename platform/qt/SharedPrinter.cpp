#include "platform/qt/SharedPrinter.h"

#include <QPrinter>

QPrinter &sharedPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}
