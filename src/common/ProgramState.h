#pragma once

#include "common/Settings.h"

#include <array>
#include <cstdint>
#include <string>

// State shared by the drill window and the two settings windows for the whole run: the options,
// the data folder and the pictures. Lists have a fixed capacity; counts say how much is valid.
struct ProgramState
{
    static constexpr std::int16_t kPictureCapacity = 101;
    using PictureNames = std::array<std::u16string, kPictureCapacity>;

    Settings settings;
    // The command-line argument text naming the data folder; empty for the working directory.
    std::u16string ArgumentText;
    // Put in front of a data-folder file name: empty, or the folder followed by a separator.
    std::u16string DataPrefix;

    PictureNames AllPictures;
    std::int16_t AllPictureCount = 0;
    // The file in the folder behind each AllPictures entry, where its name differs from the
    // listed one (a name from a Mac, stored decomposed and listed composed); empty otherwise.
    PictureNames PictureFiles;

    PictureNames Deck;
    std::int16_t DeckCount = 0;

    // The valid part of each list, never past the capacity even if a count went wrong.
    int pictureCount() const;
    int deckCount() const;
    // The file to load for a listed picture name: its file's own name where that differs.
    const std::u16string& pictureFileName(const std::u16string& name) const;
};
