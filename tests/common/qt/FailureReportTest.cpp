#include "common/qt/FailureReport.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct RecordedReports
{
    QStringList texts;
    FailureReport::Presenter presenter()
    {
        return [this](const QString& text) { texts.append(text); };
    }
};

TEST(FailureReportTest, ReportsAnEscapingFailureOnceAndClosesTheLogic)
{
    RecordedReports shown;
    FailureReport failure(shown.presenter());

    int runs = 0;
    EXPECT_TRUE(failure.run([&] { ++runs; }));
    EXPECT_FALSE(failure.failed());
    EXPECT_TRUE(shown.texts.isEmpty());

    EXPECT_FALSE(
        failure.run([] { throw std::runtime_error("Fname.txt を読めません: 権限がありません"); }));
    EXPECT_TRUE(failure.failed());
    ASSERT_EQ(shown.texts.size(), 1);
    EXPECT_TRUE(
        shown.texts.front().contains(QStringLiteral(u"Fname.txt を読めません: 権限がありません")));

    // Nothing reaches the logic after the failure, and nothing more is shown.
    EXPECT_FALSE(failure.run([&] { ++runs; }));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(shown.texts.size(), 1);
}

TEST(FailureReportTest, ReportsFailuresThatAreNotStandardExceptions)
{
    RecordedReports shown;
    FailureReport failure(shown.presenter());
    EXPECT_FALSE(failure.run([] { throw 42; }));
    EXPECT_TRUE(failure.failed());
    ASSERT_EQ(shown.texts.size(), 1);
    EXPECT_FALSE(shown.texts.front().isEmpty());
}

TEST(FailureReportTest, EventsArrivingWhileTheReportIsOpenFindTheLogicClosed)
{
    FailureReport* self = nullptr;
    bool ranDuringReport = true;
    FailureReport failure([&](const QString&) {
        // The message box's own event loop would deliver a timer tick here.
        ranDuringReport = self->run([] {});
    });
    self = &failure;
    failure.run([] { throw std::logic_error("broken"); });
    EXPECT_FALSE(ranDuringReport);
}

TEST(FailureReportTest, EndsTheRunningProgramWithAFailureStatus)
{
    RecordedReports shown;
    FailureReport failure(shown.presenter());
    QTimer::singleShot(0, [&] { failure.run([] { throw std::runtime_error("tapomi.txt"); }); });
    EXPECT_EQ(QCoreApplication::exec(), FailureReport::kExitStatus);
    EXPECT_NE(FailureReport::kExitStatus, 0);
    EXPECT_EQ(shown.texts.size(), 1);
}

} // namespace
