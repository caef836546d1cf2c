// Draws the program's pictures: the set-up picture and the icon into the assets folder (the
// icon's larger desktop sizes into its icons/ folder), and the sample cards into the samples
// folder. Run it after changing a drawing and commit the results.

#include "GifWriter.h"
#include "PaletteReducer.h"
#include "ProgramIcon.h"
#include "SamplePictures.h"
#include "SetupPicture.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool save(const QImage& image, const QString& path, const char* format, int quality = -1)
{
    if (!image.save(path, format, quality)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ASSETS_FOLDER SAMPLES_FOLDER\n", argv[0]);
        return 2;
    }
    // Drawing needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QDir assets(QString::fromLocal8Bit(argv[1]));
    const QDir samples(QString::fromLocal8Bit(argv[2]));
    const QDir icons(assets.filePath(QStringLiteral("icons")));
    if (!QDir().mkpath(icons.path()) || !QDir().mkpath(samples.path())) {
        std::fprintf(stderr, "cannot create the output folders\n");
        return 1;
    }

    bool ok = save(SetupPicture::draw(), assets.filePath(QStringLiteral("setup.png")), "PNG");
    // The larger set-up picture is what nearly every screen shows at start-up: in 256 colours
    // it is decoded in a quarter of the time.
    ok = save(PaletteReducer::reduce(SetupPicture::draw(2)),
             assets.filePath(QStringLiteral("setup@2x.png")), "PNG")
        && ok;
    ok = save(ProgramIcon::draw(), assets.filePath(QStringLiteral("icon.png")), "PNG") && ok;
    for (int side : ProgramIcon::kDesktopSides) {
        if (side == ProgramIcon::kSide)
            continue; // the window's icon above
        const QString name = QStringLiteral("tapomi-%1.png").arg(side);
        ok = save(ProgramIcon::draw(side), icons.filePath(name), "PNG") && ok;
    }

    for (const SamplePictures::Sample& sample : SamplePictures::draw()) {
        const QString path = samples.filePath(sample.word + QLatin1Char('.') + sample.suffix);
        if (sample.suffix == QLatin1String("gif")) {
            if (!GifWriter::write(sample.image, path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                ok = false;
            }
        } else if (sample.suffix == QLatin1String("jpg")) {
            ok = save(sample.image, path, "JPEG", 90) && ok;
        } else {
            ok = save(sample.image.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither),
                     path, "BMP")
                && ok;
        }
    }
    return ok ? 0 : 1;
}
