#include "indexvalue.h"

IndexValueCheck ParseIndexValue(std::string_view text, uint16_t &value)
{
    if (text.size() > 4)
        return IndexValueCheck::TooLong;
    if (text.size() < 4)
        return IndexValueCheck::Invalid;
    unsigned result = 0;
    for (char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = unsigned(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = unsigned(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            digit = unsigned(c - 'a' + 10);
        else
            return IndexValueCheck::Invalid;
        result = result * 16 + digit;
    }
    value = uint16_t(result);
    return IndexValueCheck::Ok;
}
