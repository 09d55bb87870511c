#pragma once
// The first index value of font.dat as the user types it: exactly four hex digits.

#include <QtGlobal>

#include <cstdint>
#include <string_view>

enum class IndexValueCheck {
    Ok,
    TooLong, // more than four characters: "索引值太长,必须是四位"
    Invalid, // fewer than four, or not hex digits: "无效索引"
};

// Chinese texts; the programs show them translated through their "CoreMessage" context.
inline constexpr const char *IndexTooLongMessage = QT_TRANSLATE_NOOP("CoreMessage", "索引值太长,必须是四位");
inline constexpr const char *IndexInvalidMessage = QT_TRANSLATE_NOOP("CoreMessage", "无效索引");

// Reads text (letters in either case) into value, first digit most significant.
IndexValueCheck ParseIndexValue(std::string_view text, uint16_t &value);
