#include "settings_ui/qt/Form2.h"
#include "settings_ui/qt/Form3.h"

#include "EventLog.h"
#include "FakeDataStore.h"

#include "common/qt/FailureReport.h"
#include "drill/qt/Form1.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
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

// Every text of a settings window fits the control that shows it, and no control covers
// another: what a teacher reads is never cut, at any scaling of the screen.
void expectTextsFit(const QWidget& window)
{
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&window))
            continue;
        const QWidget* parent = control->parentWidget();
        const QFontMetrics metrics = control->fontMetrics();
        const QString text = control->property("text").toString();
        const std::string name
            = control->metaObject()->className() + std::string(" \"") + text.toStdString() + "\"";
        // Where the control draws its text, and what the text needs.
        QRect room;
        QSize needed(metrics.horizontalAdvance(text), metrics.height());
        if (const auto* label = qobject_cast<const QLabel*>(control)) {
            room = label->contentsRect();
            needed = needed.expandedTo(
                label->sizeHint() - QSize(label->frameWidth() * 2, label->frameWidth() * 2));
        } else if (const auto* radio = qobject_cast<const QRadioButton*>(control)) {
            QStyleOptionButton option;
            option.initFrom(radio);
            option.text = text;
            room = radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio);
            const QRect indicator
                = radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
            EXPECT_TRUE(radio->rect().contains(indicator)) << name;
        } else if (const auto* button = qobject_cast<const QPushButton*>(control)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = text;
            room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        } else if (const auto* frame = qobject_cast<const QGroupBox*>(control)) {
            QStyleOptionGroupBox option;
            option.initFrom(frame);
            option.text = frame->title();
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            room = frame->style()->subControlRect(
                QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
            needed = QSize(metrics.horizontalAdvance(frame->title()), metrics.height());
            for (const QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                EXPECT_FALSE(child->geometry().intersects(room)) << name << " covers its title";
        } else {
            continue;
        }
        EXPECT_GE(room.width(), needed.width()) << name;
        EXPECT_GE(room.height(), needed.height()) << name;
        EXPECT_TRUE(control->rect().contains(room)) << name;
        EXPECT_TRUE(parent->rect().contains(control->geometry())) << name;
        // Siblings stand apart; the outline that frames the content lies under them all.
        for (const QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other == control || !other->isVisibleTo(&window)
                || other->metaObject() == &QFrame::staticMetaObject)
                continue;
            EXPECT_FALSE(control->geometry().intersects(other->geometry()))
                << name << " and " << other->metaObject()->className() << " \""
                << other->property("text").toString().toStdString() << "\"";
        }
    }
}

// Run again at 200 % scaling and at 144 dots per inch.
TEST(SettingsLayoutTest, EveryTextFitsItsControl)
{
    EventLog log;
    ProgramState program;
    FakeDataStore data { program, log };
    FailureReport failures { [](const QString&) {} };
    Form2 options(program, data, failures, [] {});
    options.show();
    options.activated();
    Form3 selection(program, data, failures, [] {});
    selection.show();
    {
        SCOPED_TRACE("Form2");
        expectTextsFit(options);
    }
    {
        SCOPED_TRACE("Form3");
        expectTextsFit(selection);
    }
}

// A colour scheme for one test; the one before comes back afterwards.
class SchemeGuard
{
public:
    SchemeGuard()
        : m_saved(QApplication::palette())
    { }
    ~SchemeGuard() { QApplication::setPalette(m_saved); }
    SchemeGuard(const SchemeGuard&) = delete;
    SchemeGuard& operator=(const SchemeGuard&) = delete;

    static void use(const QColor& text, const QColor& face, const QColor& shadow)
    {
        QPalette scheme = QApplication::palette();
        for (const QPalette::ColorRole role : { QPalette::WindowText, QPalette::ButtonText })
            scheme.setColor(role, text);
        for (const QPalette::ColorRole role : { QPalette::Window, QPalette::Button })
            scheme.setColor(role, face);
        scheme.setColor(QPalette::Dark, shadow);
        QApplication::setPalette(scheme);
        // The open windows hear of it through the event queue.
        QCoreApplication::processEvents();
    }

private:
    QPalette m_saved;
};

QColor textOf(const QWidget* widget)
{
    return widget->palette().color(QPalette::WindowText);
}

// Where the system's text colour meets a background of the program's own (the echo's white, the
// value label's white, the credit line's grey), it is kept only while it can be read there.
TEST(SystemColoursTest, TextStaysReadableUnderADarkScheme)
{
    SchemeGuard guard;
    const QColor light(0xE0, 0xE0, 0xE0);
    SchemeGuard::use(light, QColor(0x30, 0x30, 0x30), QColor(0x20, 0x20, 0x20));

    EventLog log;
    ProgramState program;
    FakeDataStore data { program, log };
    FailureReport failures { [](const QString&) {} };
    Form1 drill(failures);
    Form2 options(program, data, failures, [] {});
    Form3 selection(program, data, failures, [] {});
    const QLabel* echo = drill.findChild<QLabel*>(QStringLiteral("Label2"));
    ASSERT_NE(echo, nullptr);

    EXPECT_EQ(textOf(echo), QColor(Qt::black));
    EXPECT_EQ(echo->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(textOf(options.valueLabel4()), QColor(Qt::black));
    EXPECT_EQ(options.valueLabel4()->palette().color(QPalette::Window), QColor(Qt::white));
    // The dark scheme's own light text on its own dark grey reads well and is kept.
    EXPECT_EQ(textOf(options.creditLabel()), light);
    EXPECT_EQ(options.creditLabel()->palette().color(QPalette::Window), QColor(0x20, 0x20, 0x20));
    EXPECT_EQ(textOf(selection.creditLabel()), light);

    // Changed while the windows are open: a light scheme with navy text keeps its navy.
    const QColor navy(0, 0, 0x80);
    SchemeGuard::use(navy, QColor(0xF0, 0xF0, 0xF0), QColor(0xA0, 0xA0, 0xA0));
    EXPECT_EQ(textOf(echo), navy);
    EXPECT_EQ(textOf(options.valueLabel4()), navy);
    EXPECT_EQ(textOf(options.creditLabel()), navy);
    EXPECT_EQ(selection.creditLabel()->palette().color(QPalette::Window), QColor(0xA0, 0xA0, 0xA0));

    // A mid grey shadow under light text: black reads better there.
    SchemeGuard::use(light, QColor(0x30, 0x30, 0x30), QColor(0xA0, 0xA0, 0xA0));
    EXPECT_EQ(textOf(selection.creditLabel()), QColor(Qt::black));
}

} // namespace
