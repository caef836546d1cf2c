#include "cards/qt/FolderCheckPanel.h"

#include "app/Utf8Text.h"

#include "TempFolder.h"

#include <QCoreApplication>
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

} // namespace
