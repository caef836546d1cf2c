#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The bold Japanese monospaced face of every window: "ＭＳ ゴシック" where it is installed,
// otherwise the first comparable face found.
class JapaneseFont
{
public:
    // Faces in order of preference; the first installed one is used.
    static QStringList preferredFamilies();
    // The face chosen from the installed families given (those of the font database when
    // empty); the first preference when none is installed, so Qt's own matching takes over.
    static QString chooseFamily(const QStringList& installed = {});
    static QFont bold(int points);
};
