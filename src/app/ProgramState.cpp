#include "app/ProgramState.h"

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
