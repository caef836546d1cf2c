#pragma once

#include <map>
#include <optional>
#include <string>

// The help page's template: HTML in which {{name}} stands for a piece written when the program
// is built (a button's caption, the key tables). A name that nothing fills, or a {{ left
// unclosed, fails the build, so the page can't show a word the window no longer has.
class HelpTemplate
{
public:
    // The page with every {{name}} replaced by its piece; nothing, and the reason in problem,
    // when a name is unknown or a marker is not closed.
    static std::optional<std::string> Fill(const std::string& page,
        const std::map<std::string, std::string>& pieces, std::string& problem);
    // Text made safe to stand in HTML.
    static std::string Escaped(const std::string& text);
};
