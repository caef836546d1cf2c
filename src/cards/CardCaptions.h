#pragma once

#include <array>
#include <string_view>

// The words on the buttons of the card tools (the folder check's panel and the card maker),
// kept in one place so that the help page, written from this list when the program is built,
// names each button as the button says.
class CardCaptions
{
public:
    static constexpr std::u16string_view kRecheck = u"もういちど調べる";
    static constexpr std::u16string_view kMakeJpeg = u".jpg をつくる";
    static constexpr std::u16string_view kRenameFile = u"名前を変える";
    static constexpr std::u16string_view kChoosePicture = u"絵をえらぶ…";
    static constexpr std::u16string_view kPaste = u"はりつける";
    static constexpr std::u16string_view kSave = u"保存する";
    static constexpr std::u16string_view kReplace = u"取りかえる";
    static constexpr std::u16string_view kClose = u"とじる";

    struct Named
    {
        std::string_view name;
        std::u16string_view text;
    };
    // Each caption under the name the help page's template gives it, as {{paste}}.
    static constexpr std::array kNamed = {
        Named { "recheck", kRecheck },
        Named { "makeJpeg", kMakeJpeg },
        Named { "renameFile", kRenameFile },
        Named { "choosePicture", kChoosePicture },
        Named { "paste", kPaste },
        Named { "save", kSave },
        Named { "replace", kReplace },
        Named { "close", kClose },
    };
};
