// The first index value of font.dat as typed: any bytes, checked against a plain reading.
#include "fuzzsupport.h"

#include "encode/indexvalue.h"

#include <string_view>

namespace {

int HexDigitValue(unsigned char c)
{
    const std::string_view digits = "0123456789abcdef";
    const unsigned char lower = (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
    const size_t at = digits.find(char(lower));
    return at == std::string_view::npos ? -1 : int(at);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    uint16_t value = 0xBEEF;
    const IndexValueCheck check = ParseIndexValue(text, value);

    IndexValueCheck expected = IndexValueCheck::Ok;
    unsigned expectedValue = 0;
    if (size > 4) {
        expected = IndexValueCheck::TooLong;
    } else if (size < 4) {
        expected = IndexValueCheck::Invalid;
    } else {
        for (const unsigned char c : text) {
            const int digit = HexDigitValue(c);
            if (digit < 0) {
                expected = IndexValueCheck::Invalid;
                break;
            }
            expectedValue = expectedValue * 16 + unsigned(digit);
        }
    }
    Require(check == expected, "the check agrees with a plain reading");
    if (check == IndexValueCheck::Ok)
        Require(value == expectedValue, "four hex digits read most significant first");
    return 0;
}
