#pragma once

#include "common/Settings.h"

#include <cstdint>
#include <string>

// One place a read fills in: a text, a truth value or a 16-bit integer. It points into the
// caller's variable, which must outlive the read.
class DataTarget
{
public:
    enum class Type
    {
        Text,
        Truth,
        Integer
    };

    static DataTarget text(std::u16string& value)
    {
        return DataTarget(Type::Text, &value, nullptr);
    }
    static DataTarget truth(TruthValue& value) { return DataTarget(Type::Truth, nullptr, &value); }
    static DataTarget integer(std::int16_t& value)
    {
        return DataTarget(Type::Integer, nullptr, &value);
    }

    Type type() const { return m_type; }
    std::u16string& textValue() const { return *m_text; }
    std::int16_t& numberValue() const { return *m_number; }

private:
    DataTarget(Type type, std::u16string* text, std::int16_t* number)
        : m_type(type)
        , m_text(text)
        , m_number(number)
    { }

    Type m_type;
    std::u16string* m_text;
    std::int16_t* m_number;
};
