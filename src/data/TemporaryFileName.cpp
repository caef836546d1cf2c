#include "data/TemporaryFileName.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

using Text = TemporaryFileName::Text;
using View = std::basic_string_view<Text::value_type>;

// The ASCII parts of the name in the platform's character type.
Text ascii(std::string_view text)
{
    return Text(text.begin(), text.end());
}

Text prefix(const Text& target)
{
    return ascii(".") + target + ascii(".");
}

bool isDigits(View text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](auto unit) {
        return unit >= '0' && unit <= '9';
    });
}

} // namespace

Text TemporaryFileName::make(const Text& target, unsigned long process, unsigned count)
{
    return prefix(target) + ascii(std::to_string(process)) + ascii(".")
        + ascii(std::to_string(count)) + ascii(".tmp");
}

std::optional<unsigned long> TemporaryFileName::owner(const Text& name, const Text& target)
{
    const Text start = prefix(target);
    const Text ending = ascii(".tmp");
    const View whole(name);
    if (!whole.starts_with(start) || !whole.ends_with(ending)
        || whole.size() <= start.size() + ending.size())
        return std::nullopt;
    View numbers = whole.substr(start.size());
    numbers.remove_suffix(ending.size());
    const std::size_t dot = numbers.find('.');
    if (dot == View::npos || !isDigits(numbers.substr(0, dot))
        || !isDigits(numbers.substr(dot + 1)))
        return std::nullopt;
    const View process = numbers.substr(0, dot);
    if (process.size() > 9)
        return 0;
    unsigned long value = 0;
    for (auto unit : process)
        value = value * 10 + static_cast<unsigned long>(unit - '0');
    return value;
}
