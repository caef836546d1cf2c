#include "cards/qt/FolderCheckPanel.h"

#include "common/Utf8Text.h"
#include "common/qt/QtText.h"

#include "TempFolder.h"

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The row of a finding: its name field and its action button.
struct Row
{
    QLineEdit* name = nullptr;
    QPushButton* button = nullptr;
};

Row rowOf(FolderCheckPanel& panel, const QString& fileName)
{
    for (QLabel* label : panel.findChildren<QLabel*>()) {
        if (!label->text().startsWith(QStringLiteral("<b>") + fileName + QStringLiteral("</b>")))
            continue;
        QWidget* row = label->parentWidget();
        return { row->findChild<QLineEdit*>(), row->findChild<QPushButton*>() };
    }
    return {};
}

TEST(FolderCheckPanelTest, RenamesFromTheRowAndAsksAgainWhenTheNameIsTaken)
{
    TempFolder folder;
    folder.write(Utf8Text::encode(u"ネコ.jpg"), "cat");
    folder.write(Utf8Text::encode(u"犬.jpg"), "dog");
    folder.write(Utf8Text::encode(u"いぬ.jpg"), "another dog");
    FolderCheckPanel panel;
    int changes = 0;
    QObject::connect(&panel, &FolderCheckPanel::folderChanged, [&changes]() { ++changes; });
    panel.setFolder(folder.path());
    ASSERT_EQ(panel.findings().size(), 2U);

    // The suggested hiragana is offered; one click renames and checks again.
    Row cat = rowOf(panel, QStringLiteral("ネコ.jpg"));
    ASSERT_NE(cat.name, nullptr);
    EXPECT_EQ(cat.name->text(), QStringLiteral("ねこ"));
    cat.button->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the old rows go
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(folder.read(Utf8Text::encode(u"ねこ.jpg")), "cat");
    ASSERT_EQ(panel.findings().size(), 1U);

    // A name that is taken: said in the row, nothing changed, the row stays for another name.
    Row dog = rowOf(panel, QStringLiteral("犬.jpg"));
    ASSERT_NE(dog.name, nullptr);
    dog.name->setText(QStringLiteral("いぬ"));
    dog.button->click();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(folder.read(Utf8Text::encode(u"犬.jpg")), "dog");
    const auto answers = dog.name->parentWidget()->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(answers.begin(), answers.end(), [](QLabel* label) {
        return label->text().contains(QStringLiteral("「いぬ.jpg」はもうあります"));
    }));
    dog.name->setText(QStringLiteral("わんわん"));
    dog.button->click();
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(panel.findings().empty());
}

// A copy of a real PNG and a rename whose hiragana is taken in another case: the row offers a
// free name (the word, a number before the ending), and each action is said above the list
// until the folder is clean.
TEST(FolderCheckPanelTest, OffersOnlyFreeNamesAndSaysWhatEachActionDid)
{
    TempFolder folder;
    QImage clock(8, 6, QImage::Format_RGB32);
    clock.fill(Qt::red);
    ASSERT_TRUE(clock.save(QtText::fromPath(folder / Utf8Text::encode(u"とけい.png")), "PNG"));
    folder.write(Utf8Text::encode(u"ネコ.jpg"), "cat");
    folder.write(Utf8Text::encode(u"ねこ.JPG"), "another cat");
    FolderCheckPanel panel;
    panel.setFolder(folder.path());
    ASSERT_EQ(panel.findings().size(), 2U);
    EXPECT_TRUE(panel.lastDone().isEmpty());

    Row cat = rowOf(panel, QStringLiteral("ネコ.jpg"));
    ASSERT_NE(cat.name, nullptr);
    EXPECT_EQ(cat.name->text(), QStringLiteral("ねこ"));
    const auto labels = cat.name->parentWidget()->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
        [](QLabel* label) { return label->text() == QStringLiteral(".1.jpg"); }));
    cat.button->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(folder.read(Utf8Text::encode(u"ねこ.1.jpg")), "cat");
    EXPECT_EQ(folder.read(Utf8Text::encode(u"ねこ.JPG")), "another cat");
    EXPECT_EQ(panel.lastDone(), QStringLiteral("「ネコ.jpg」を「ねこ.1.jpg」に変えました。"));
    ASSERT_EQ(panel.findings().size(), 1U);

    Row copy = rowOf(panel, QStringLiteral("とけい.png"));
    ASSERT_NE(copy.button, nullptr);
    EXPECT_EQ(copy.button->text(), QStringLiteral(".jpg をつくる"));
    copy.button->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(panel.findings().empty());
    EXPECT_TRUE(folder.exists(Utf8Text::encode(u"とけい.jpg")));
    EXPECT_TRUE(folder.exists(Utf8Text::encode(u"もとの絵/とけい.png")));
    EXPECT_FALSE(folder.exists(Utf8Text::encode(u"とけい.png")));
    EXPECT_EQ(panel.lastDone(),
        QStringLiteral("「とけい.png」から「とけい.jpg」を作りました。もとの「とけい.png」は、"
                       "タポミが使わない「もとの絵」フォルダーに移しました。"));
}

} // namespace
