#include "HelpTemplate.h"

std::optional<std::string> HelpTemplate::Fill(
    const std::string& page, const std::map<std::string, std::string>& pieces, std::string& problem)
{
    std::string filled;
    std::size_t from = 0;
    for (std::size_t open = page.find("{{"); open != std::string::npos;
         open = page.find("{{", from)) {
        const std::size_t close = page.find("}}", open + 2);
        if (close == std::string::npos) {
            problem = "a {{ is never closed";
            return std::nullopt;
        }
        const std::string name = page.substr(open + 2, close - open - 2);
        const auto piece = pieces.find(name);
        if (piece == pieces.end()) {
            problem = "nothing fills {{" + name + "}}";
            return std::nullopt;
        }
        filled += page.substr(from, open - from) + piece->second;
        from = close + 2;
    }
    return filled + page.substr(from);
}

std::string HelpTemplate::Escaped(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}
