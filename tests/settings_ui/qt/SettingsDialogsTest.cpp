#include "settings_ui/qt/Form2.h"
#include "settings_ui/qt/Form3.h"

#include "EventLog.h"
#include "FakeDataStore.h"

#include "app/qt/FailureReport.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Clicks where a person would: in the middle of the widget.
void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

class Form2Test : public ::testing::Test
{
protected:
    Form2Test()
    {
        form.show();
        form.activated();
    }

    EventLog log;
    ProgramState program;
    FakeDataStore data { program, log };
    QString failure;
    FailureReport failures { [this](const QString& text) { failure = text; } };
    int drillShown = 0;
    Form2 form { program, data, failures, [this] { ++drillShown; } };
};

TEST_F(Form2Test, ShowsTheStoredSettingsAndStoresAChangedLayout)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("カード選び"));
    EXPECT_TRUE(form.option(1)->isChecked());
    EXPECT_TRUE(form.option(4)->isChecked());
    EXPECT_TRUE(form.option(5)->isChecked());
    EXPECT_TRUE(form.option(7)->isChecked());
    EXPECT_EQ(form.valueLabel4()->text(), QStringLiteral("1"));

    click(form.option(6));
    EXPECT_FALSE(form.option(5)->isChecked()) << "the pair in a frame is exclusive";
    form.scrollBar()->setValue(12);
    EXPECT_EQ(form.valueLabel4()->text(), QStringLiteral("１２"));
    click(form.applyButton());

    EXPECT_EQ(data.settingsSaves, 1);
    EXPECT_EQ(data.settings.TalkingAidKeyboard, kFalse);
    EXPECT_EQ(data.settings.KeyGuardTenths, 12);
    EXPECT_EQ(drillShown, 1);
}

TEST_F(Form2Test, EnterEscapeAndTheCloseBoxStoreNothing)
{
    click(form.option(2));
    form.applyButton()->setFocus();
    QTest::keyClick(&form, Qt::Key_Return);
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_EQ(data.settingsSaves, 0);
    EXPECT_EQ(drillShown, 0);

    form.close();
    EXPECT_EQ(drillShown, 1) << "closing hands back like cancel";
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(data.settingsSaves, 0);

    form.activated();
    EXPECT_TRUE(form.option(1)->isChecked()) << "the next visit shows the stored values";
}

TEST_F(Form2Test, AFailedSaveIsReportedNotThrownThroughQt)
{
    class FailingStore final : public DataStore
    {
    public:
        void LoadSettings() override { }
        void SaveSettings() override { throw std::runtime_error("tapomi.txt を書けません"); }
        bool ListPictures() override { return true; }
        void LoadSelection() override { }
        void SaveSelection() override { }
        void LoadPraisePhrases(PraisePhraseList&) override { }
    } failing;
    Form2 broken(program, failing, failures, [this] { ++drillShown; });
    broken.show();
    broken.activated();
    click(broken.option(2));
    click(broken.applyButton());
    EXPECT_TRUE(failures.failed());
    EXPECT_TRUE(failure.contains(QStringLiteral("tapomi.txt"))) << failure.toStdString();
    EXPECT_EQ(drillShown, 0);
}

class Form3Test : public ::testing::Test
{
protected:
    Form3Test()
    {
        const char16_t* names[]
            = { u"あひる.jpg", u"いぬ.gif", u"うし.bmp", u"えび.jpg", u"おの.jpg", u"かに.gif" };
        for (const char16_t* name : names)
            program.AllPictures[program.AllPictureCount++] = name;
        program.Deck[0] = u"えび.jpg";
        program.Deck[1] = u"あひる.jpg";
        program.DeckCount = 2;
        form.show();
        form.activated();
    }

    QRect itemRect(int row) const { return form.list()->visualItemRect(form.list()->item(row)); }

    void clickItem(int row)
    {
        QTest::mouseClick(form.list()->viewport(), Qt::LeftButton, {}, itemRect(row).center());
    }

    EventLog log;
    ProgramState program;
    FakeDataStore data { program, log };
    FailureReport failures { [](const QString&) {} };
    int drillShown = 0;
    Form3 form { program, data, failures, [this] { ++drillShown; } };
};

TEST_F(Form3Test, ListsTheFolderInOrderWithTheDeckMarked)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Form3"));
    ASSERT_EQ(form.list()->count(), 6);
    EXPECT_EQ(form.list()->item(0)->text(), QStringLiteral("あひる.jpg"));
    EXPECT_EQ(form.list()->item(5)->text(), QStringLiteral("かに.gif"));
    EXPECT_TRUE(form.list()->item(0)->isSelected());
    EXPECT_FALSE(form.list()->item(1)->isSelected());
    EXPECT_TRUE(form.list()->item(3)->isSelected());
    EXPECT_EQ(form.list()->selectedItems().size(), 2);
}

TEST_F(Form3Test, ClicksAndTheSpaceBarToggleAndFourNamesMakeTheDeck)
{
    clickItem(1);
    clickItem(3);
    EXPECT_TRUE(form.list()->item(1)->isSelected());
    EXPECT_FALSE(form.list()->item(3)->isSelected()) << "a second click unmarks";
    click(form.confirmButton());
    EXPECT_EQ(data.selectionSaves, 0) << "two names are not a deck";
    EXPECT_EQ(drillShown, 0);

    form.list()->setFocus();
    form.list()->setCurrentRow(4, QItemSelectionModel::NoUpdate);
    QTest::keyClick(form.list(), Qt::Key_Space);
    EXPECT_TRUE(form.list()->item(4)->isSelected());
    clickItem(5);
    click(form.confirmButton());
    EXPECT_EQ(data.selectionSaves, 1);
    EXPECT_EQ(program.DeckCount, 4);
    const std::vector<std::u16string> expected { u"あひる.jpg", u"いぬ.gif", u"おの.jpg",
        u"かに.gif" };
    EXPECT_EQ(data.selection, expected);
    EXPECT_EQ(drillShown, 1);
}

TEST_F(Form3Test, MarkAllUnmarkAllAndCancel)
{
    click(form.markAllButton());
    EXPECT_EQ(form.list()->selectedItems().size(), 6);
    click(form.unmarkAllButton());
    EXPECT_TRUE(form.list()->selectedItems().isEmpty());
    click(form.cancelButton());
    EXPECT_EQ(drillShown, 1);
    EXPECT_EQ(program.DeckCount, 2);
    form.activated();
    EXPECT_EQ(form.list()->selectedItems().size(), 2);
    EXPECT_EQ(form.list()->count(), 6) << "a later visit rewrites the same items";
}

} // namespace
