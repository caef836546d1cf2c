#pragma once

#include <string_view>

// The names of the drill's three data files: the settings and the selection of a picture folder
// (after the folder's data prefix), and the praise phrases of the working directory.
class DataFileNames
{
public:
    static constexpr std::u16string_view kSettings = u"tapomi.txt";
    static constexpr std::u16string_view kSelection = u"Fname.txt";
    static constexpr std::u16string_view kPraise = u"O.txt";
};
