#include "cards/qt/CardMakerDialog.h"

#include "cards/qt/KanaNameField.h"
#include "cards/qt/QtImageConverter.h"
#include "common/Utf8Text.h"
#include "common/qt/QtText.h"

#include "TempFolder.h"

#include <QApplication>
#include <QBuffer>
#include <QImageReader>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A JPEG as a phone writes it: stored sideways with an EXIF orientation of 6 (turn a quarter
// clockwise to view). Its stored left half is red and its right half blue.
QByteArray sidewaysPhoto()
{
    QImage stored(400, 300, QImage::Format_RGB32);
    QPainter painter(&stored);
    painter.fillRect(0, 0, 200, 300, Qt::red);
    painter.fillRect(200, 0, 200, 300, Qt::blue);
    painter.end();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    stored.save(&buffer, "JPG", 95);
    const QByteArray exif = QByteArray::fromHex("FFE10022"
                                                "457869660000" // Exif\0\0
                                                "49492A0008000000" // little-endian TIFF
                                                "0100" // one entry
                                                "120103000100000006000000" // orientation 6
                                                "00000000");
    return jpeg.left(2) + exif + jpeg.mid(2);
}

void typeKeys(KanaNameField& field, const QString& keys)
{
    for (const QChar key : keys) {
        const bool backspace = key == QLatin1Char('\b');
        QKeyEvent press(QEvent::KeyPress, backspace ? Qt::Key_Backspace : Qt::Key_unknown,
            Qt::NoModifier, backspace ? QString() : QString(key));
        QApplication::sendEvent(&field, &press);
    }
}

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
}

TEST(CardMakerDialogTest, SavesAnUprightCroppedScaledCardUnderATypeableName)
{
    TempFolder pictures;
    TempFolder cards;
    pictures.write("photo.jpg", sidewaysPhoto().toStdString());
    CardMakerDialog dialog(cards.path());
    int asked = 0;
    bool replace = false;
    QString askedAbout;
    dialog.setReplaceQuestion([&](const QString& fileName) {
        ++asked;
        askedAbout = fileName;
        return replace;
    });

    // Upright: the stored left half is now on top.
    ASSERT_TRUE(dialog.openPicture(QtText::fromPath(pictures / "photo.jpg")));
    EXPECT_EQ(dialog.picture().size(), QSize(300, 400));
    EXPECT_TRUE(isRed(dialog.picture().pixel(150, 20)));
    EXPECT_FALSE(isRed(dialog.picture().pixel(150, 380)));
    // The part offered at first is the largest 4:3 one in the middle.
    EXPECT_EQ(dialog.crop(), QRect(0, 87, 300, 225));

    // No name yet: refused, nothing written.
    EXPECT_EQ(dialog.save().outcome, FolderActions::Outcome::NameRefused);
    EXPECT_TRUE(cards.names().empty());

    // Named with the child's keys: t @ gives が, Backspace takes it back, h j give くま.
    typeKeys(dialog.nameField(), QStringLiteral("t@"));
    EXPECT_EQ(dialog.name(), QStringLiteral("が"));
    typeKeys(dialog.nameField(), QStringLiteral("\bhj"));
    EXPECT_EQ(dialog.name(), QStringLiteral("くま"));

    dialog.setCrop(QRect(0, 0, 300, 225));
    ASSERT_EQ(dialog.save().outcome, FolderActions::Outcome::Done);
    const std::string card = Utf8Text::encode(u"くま.jpg");
    EXPECT_EQ(cards.names(), std::vector<std::string> { card });
    const QString cardPath = QtText::fromPath(cards / card);
    QImage saved(cardPath);
    EXPECT_EQ(saved.size(), QSize(300, 225));
    // The crop's first 200 rows are the red half, the last 25 the blue one.
    EXPECT_TRUE(isRed(saved.pixel(150, 100)));
    EXPECT_FALSE(isRed(saved.pixel(150, 220)));
    const std::string firstBytes = cards.read(card);

    // A large picture is scaled down to 1600 × 1200 at most, its shape kept.
    QImage large(4000, 2000, QImage::Format_RGB32);
    large.fill(Qt::green);
    ASSERT_TRUE(dialog.setPicture(large));
    dialog.setCrop(large.rect());
    EXPECT_EQ(dialog.cardImage().size(), QSize(1600, 800));

    // The card is there already: kept unless the teacher says to replace it.
    EXPECT_EQ(dialog.save().outcome, FolderActions::Outcome::NameTaken);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(askedAbout, QStringLiteral("くま.jpg"));
    EXPECT_EQ(cards.read(card), firstBytes);
    replace = true;
    EXPECT_EQ(dialog.save().outcome, FolderActions::Outcome::Done);
    EXPECT_EQ(QImage(cardPath).size(), QSize(1600, 800));

    // The 50-音 board adds kana too; a name past ten kana is not possible.
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("ね"))
            button->click();
    }
    EXPECT_EQ(dialog.name(), QStringLiteral("くまね"));
    typeKeys(dialog.nameField(), QStringLiteral("3333333333"));
    EXPECT_EQ(dialog.name(), QStringLiteral("くまねあああああああ"));
}

// The .jpg copies of the folder check: PNG (its transparency on white) and, where the program
// ships a reader for it, WebP.
TEST(CardMakerDialogTest, MakesJpegCopiesOfPngAndWebpPictures)
{
    TempFolder folder;
    QImage picture(64, 48, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.fillRect(0, 0, 32, 48, Qt::red);
    painter.end();
    std::vector<const char*> formats { "png" };
#ifdef TAPOMI_TEST_WEBP
    formats.push_back("webp");
#endif
    for (const char* format : formats) {
        SCOPED_TRACE(format);
        const std::filesystem::path file = folder / (std::string("picture.") + format);
        ASSERT_TRUE(picture.save(QtText::fromPath(file), format, 100));
        QtImageConverter converter;
        std::u16string reason;
        const auto jpeg = converter.jpegCopy(file, reason);
        ASSERT_TRUE(jpeg.has_value()) << Utf8Text::encode(reason);
        const QImage copy = QImage::fromData(QByteArray::fromStdString(*jpeg), "JPG");
        EXPECT_EQ(copy.size(), QSize(64, 48));
        EXPECT_TRUE(isRed(copy.pixel(10, 24)));
        EXPECT_GT(qGray(copy.pixel(54, 24)), 240); // transparent became white
    }
    std::u16string reason;
    folder.write("broken.png", "not a picture");
    EXPECT_FALSE(QtImageConverter().jpegCopy(folder / "broken.png", reason).has_value());
    EXPECT_FALSE(reason.empty());
}

} // namespace
