#include "common/qt/JapaneseFont.h"

#include <QDir>
#include <QFontDatabase>

#include <algorithm>

QStringList JapaneseFont::preferredFamilies()
{
    return {
        QStringLiteral(u"ＭＳ ゴシック"),
        QStringLiteral(u"MS Gothic"),
        QStringLiteral(u"IPAGothic"),
        QStringLiteral(u"IPAゴシック"),
        QStringLiteral(u"Noto Sans Mono CJK JP"),
        QStringLiteral(u"Noto Sans CJK JP"),
        QStringLiteral(u"TakaoGothic"),
        QStringLiteral(u"VL Gothic"),
        QStringLiteral(u"IPAexGothic"),
    };
}

QString JapaneseFont::chooseFamily(const QStringList& installed)
{
    const QStringList families = installed.isEmpty() ? QFontDatabase::families() : installed;
    const QStringList preferred = preferredFamilies();
    for (const QString& wanted : preferred) {
        const bool present
            = std::any_of(families.begin(), families.end(), [&](const QString& family) {
                  return family.compare(wanted, Qt::CaseInsensitive) == 0;
              });
        if (present)
            return wanted;
    }
    return preferred.front();
}

QFont JapaneseFont::bold(int points)
{
    // Looked up once: the font database does not change while the program runs.
    static const QString family = chooseFamily();
    QFont font(family);
    font.setStyleHint(QFont::Monospace);
    font.setWeight(QFont::Bold);
    font.setPointSize(std::max(1, points));
    return font;
}

void JapaneseFont::addBundled(const QString& dataFolder)
{
    const QDir fonts(dataFolder + QStringLiteral("/fonts"));
    for (const QString& file : fonts.entryList({ QStringLiteral("*.ttf") }, QDir::Files))
        QFontDatabase::addApplicationFont(fonts.filePath(file));
}
