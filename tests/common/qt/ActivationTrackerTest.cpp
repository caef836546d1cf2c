#include "common/qt/ActivationTracker.h"

#include "WindowSystemFocus.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Drives activation through the offscreen platform, as a click or a window system would.
void activate(QWidget& window)
{
    window.show();
    window.activateWindow();
    QCoreApplication::processEvents();
}

// The program losing the focus to another one and getting it back: the window system tells Qt
// that none of its windows is active, then that the same window is active again.
void leaveAndComeBack(QWidget& window)
{
    WindowSystemFocus::moveTo(nullptr);
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    WindowSystemFocus::moveTo(&window);
    ASSERT_EQ(QApplication::activeWindow(), &window);
}

class ActivationTrackerTest : public ::testing::Test
{
protected:
    ActivationTrackerTest()
    {
        drill.setWindowTitle(QStringLiteral("Form1"));
        options.setWindowTitle(QStringLiteral("Form2"));
        tracker.registerWindow(&drill, [this] { ++drillActivations; });
        tracker.registerWindow(&options, [this] { ++optionsActivations; });
    }

    ActivationTracker tracker;
    QWidget drill;
    QWidget options;
    int drillActivations = 0;
    int optionsActivations = 0;
};

TEST_F(ActivationTrackerTest, ActivatesAtStartAndOnEveryHandOver)
{
    activate(drill);
    ASSERT_EQ(QApplication::activeWindow(), &drill);
    EXPECT_EQ(drillActivations, 1);

    // H: the options window comes to the front...
    activate(options);
    EXPECT_EQ(optionsActivations, 1);
    EXPECT_EQ(drillActivations, 1);
    // ...and hands back by showing the drill window.
    activate(drill);
    EXPECT_EQ(drillActivations, 2);
    // Asking again for the window that is already active is no new activation.
    activate(drill);
    EXPECT_EQ(drillActivations, 2);

    // The user clicks the options window, left open, and then the drill window.
    activate(options);
    activate(drill);
    EXPECT_EQ(optionsActivations, 2);
    EXPECT_EQ(drillActivations, 3);
}

TEST_F(ActivationTrackerTest, RegainingTheFocusFromAnotherProgramIsNoActivation)
{
    activate(drill);
    ASSERT_EQ(drillActivations, 1);

    // Alt-tab to another program and back.
    leaveAndComeBack(drill);
    EXPECT_EQ(drillActivations, 1);
    EXPECT_EQ(tracker.lastActive(), &drill);

    // The same while a settings window was in front: it is the one that comes back.
    activate(options);
    leaveAndComeBack(options);
    EXPECT_EQ(optionsActivations, 1);
    EXPECT_EQ(drillActivations, 1);
}

TEST_F(ActivationTrackerTest, MessageBoxesAndOtherUnregisteredWindowsArePassedOver)
{
    activate(drill);
    {
        QWidget messageBox;
        activate(messageBox);
        ASSERT_EQ(QApplication::activeWindow(), &messageBox);
    }
    activate(drill);
    EXPECT_EQ(drillActivations, 1);
}

TEST_F(ActivationTrackerTest, ForgetsAWindowThatIsDestroyed)
{
    auto extra = std::make_unique<QWidget>();
    int extraActivations = 0;
    tracker.registerWindow(extra.get(), [&] { ++extraActivations; });
    activate(*extra);
    EXPECT_EQ(extraActivations, 1);
    extra.reset();
    activate(drill);
    EXPECT_EQ(drillActivations, 1);
}

} // namespace
