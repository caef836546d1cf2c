// Writes the help page: the template with the kana key tables put in at its marker, taken from
// the drill's key tables when the program is built.
//   tapomi_help_page TEMPLATE OUTPUT

#include "KeyTableHtml.h"
#include "cards/KanaKeyboard.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: tapomi_help_page TEMPLATE OUTPUT\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string marker = "<!-- KEY TABLES -->";
    const std::size_t at = page.find(marker);
    if (!in || at == std::string::npos) {
        std::fprintf(stderr, "tapomi_help_page: %s has no %s\n", argv[1], marker.c_str());
        return 1;
    }
    const std::string tables = KeyTableHtml::Tables(KanaKeyboard(false), KanaKeyboard(true));
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << page.substr(0, at) << tables << page.substr(at + marker.size());
    return out ? 0 : 1;
}
