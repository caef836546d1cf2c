#pragma once

#include <memory>
#include <string_view>

// The order of the picture listing. A selection file is matched line by line against the
// listing, so the order must be the same on every run, and a selection written on Windows
// should still match: Windows listed the folder in the Japanese locale's collation with letter
// case ignored. ICU's Japanese collator at secondary strength gives that order (a voiced mark
// weighs less than the letters after it, so ばか comes before はな, where plain code-unit order
// would put はな first; A and a weigh the same). Names it can't tell apart are ordered by their
// code units, which makes the order total and independent of the listing's own order. On Linux
// ICU compares; on Windows the system's own Japanese sorting does, with the same strength.
class PictureCollator
{
public:
    PictureCollator();
    ~PictureCollator();
    PictureCollator(const PictureCollator&) = delete;
    PictureCollator& operator=(const PictureCollator&) = delete;

    bool less(std::u16string_view left, std::u16string_view right) const;

private:
    // The system's collator, whatever it is on this platform.
    struct Collation;
    std::unique_ptr<Collation> m_collation;
};
