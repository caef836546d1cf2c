#include "common/ProgramState.h"

#include <algorithm>

namespace {

int clampToCapacity(std::int16_t count)
{
    return std::clamp<int>(count, 0, ProgramState::kPictureCapacity);
}

} // namespace

int ProgramState::pictureCount() const
{
    return clampToCapacity(AllPictureCount);
}

int ProgramState::deckCount() const
{
    return clampToCapacity(DeckCount);
}

const std::u16string& ProgramState::pictureFileName(const std::u16string& name) const
{
    const auto begin = AllPictures.begin();
    const auto end = begin + pictureCount();
    const auto found = std::find(begin, end, name);
    if (found == end)
        return name;
    const std::u16string& file = PictureFiles[static_cast<std::size_t>(found - begin)];
    return file.empty() ? name : file;
}
