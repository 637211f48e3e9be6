#include "document/IntegerText.h"

#include <climits>

namespace {

bool isScanSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

int scanInteger(const char *text, int *value)
{
    const char *p = text;
    while (isScanSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    if (!isDigit(*p))
        return 0;
    long long number = 0;
    while (isDigit(*p)) {
        if (number <= INT_MAX)
            number = number * 10 + (*p - '0');
        ++p;
    }
    number = negative ? -number : number;
    *value = static_cast<int>(number < INT_MIN ? INT_MIN : number > INT_MAX ? INT_MAX : number);
    return static_cast<int>(p - text);
}
