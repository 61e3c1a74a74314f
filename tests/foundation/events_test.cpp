#include "foundation/events.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>

namespace {

int argc = 1;
char name[] = "events_test";
char *argv[] = {name, nullptr};

class Events : public testing::Test {
protected:
    QCoreApplication m_application{argc, argv};
};

TEST_F(Events, WaitLastsLongerThanAskedAndDispatchesMeanwhile)
{
    for (int ms : {1, 30, 120}) {
        SCOPED_TRACE(ms);
        bool fired = false;
        QTimer::singleShot(0, &m_application, [&] { fired = true; });
        QElapsedTimer clock;
        clock.start();
        waitWithEvents(ms);
        EXPECT_GT(clock.elapsed(), ms);
        EXPECT_LT(clock.elapsed(), ms + 500);
        EXPECT_TRUE(fired);
    }
}

TEST_F(Events, NoWaitForZeroOrLess)
{
    for (int ms : {0, -1, -2147483647 - 1}) {
        QElapsedTimer clock;
        clock.start();
        waitWithEvents(ms);
        EXPECT_LT(clock.elapsed(), 20);
    }
}

TEST_F(Events, PendingEventsOfTheCallingThreadAreDispatched)
{
    int calls = 0;
    QMetaObject::invokeMethod(&m_application, [&] { ++calls; }, Qt::QueuedConnection);
    QMetaObject::invokeMethod(&m_application, [&] { ++calls; }, Qt::QueuedConnection);
    processPendingEvents();
    EXPECT_EQ(calls, 2);
}

TEST_F(Events, WorksOnAThreadOfItsOwn)
{
    std::atomic<bool> fired = false;
    std::atomic<qint64> waited = 0;
    QThread *thread = QThread::create([&] {
        QTimer::singleShot(10, [&] { fired = true; });
        QElapsedTimer clock;
        clock.start();
        waitWithEvents(60);
        waited = clock.elapsed();
    });
    thread->start();
    ASSERT_TRUE(thread->wait(5000));
    delete thread;
    EXPECT_TRUE(fired);
    EXPECT_GT(waited, 60);
}

} // namespace
