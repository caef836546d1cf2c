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
    // Adds the faces that come with the program (share/tapomi/fonts, on Windows) for this run.
    // Called before the first window is made; on Linux the system's own fonts are used.
    static void addBundled(const QString& dataFolder);
};
