#pragma once

#include "common/Settings.h"

#include <cstdint>
#include <string_view>

// One typed value of a record to be written: a text (written in double quotes), a truth value
// ("#TRUE#" / "#FALSE#") or a 16-bit integer. The text is only viewed, so an item lives no
// longer than the write it is made for.
class DataItem
{
public:
    enum class Type
    {
        Text,
        Truth,
        Integer
    };

    static DataItem text(std::u16string_view value) { return DataItem(Type::Text, value, 0); }
    static DataItem truth(TruthValue value) { return DataItem(Type::Truth, {}, value); }
    static DataItem integer(std::int16_t value) { return DataItem(Type::Integer, {}, value); }

    Type type() const { return m_type; }
    std::u16string_view textValue() const { return m_text; }
    std::int16_t numberValue() const { return m_number; }

private:
    DataItem(Type type, std::u16string_view text, std::int16_t number)
        : m_type(type)
        , m_text(text)
        , m_number(number)
    { }

    Type m_type;
    std::u16string_view m_text;
    std::int16_t m_number;
};
