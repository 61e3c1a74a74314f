#include "billing/refresh_loop.h"

#include "foundation/datetime.h"
#include "foundation/datetime_format.h"
#include "foundation/stored_texts.h"
#include "tests/support/test_support.h"

#include <QElapsedTimer>
#include <QTest>

#include <memory>

namespace {

const DateTime kNow = *dateTimeFromFields({2025, 7, 4, 16, 4, 5});

// Stands in for the item list: hands out one running row and keeps what the
// loop sends back.
struct FakeList {
    int takes = 0;
    QList<qint64> takenAtMs;
    QElapsedTimer clock;
    QList<std::uint64_t> appliedGenerations;
    QList<RefreshPassResult> applied;

    std::unique_ptr<RefreshLoop> loopOn(QObject *context)
    {
        clock.start();
        return std::make_unique<RefreshLoop>(
            context,
            [this] {
                ++takes;
                takenAtMs.append(clock.elapsed());
                return RefreshRows{std::uint64_t(takes),
                                   {{"S1", storedtext::kInUse, "2025/07/04 15:04:05"}}};
            },
            [this](std::uint64_t generation, const RefreshPassResult &result) {
                appliedGenerations.append(generation);
                applied.append(result);
            });
    }
};

} // namespace

class TestRefreshLoop : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void passesComeAboutOnceASecond();
    void stopsPromptlyAtAnyMoment();
    void stopsWhileAPassWaitsForTheBusyGuiThread();
    void destroyingARunningLoopStopsIt();

private:
    std::unique_ptr<TestStorage> m_storage;
};

void TestRefreshLoop::init()
{
    m_storage = std::make_unique<TestStorage>();
    m_storage->writeSettings(gbk("[S1]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n"));
    setFixedCurrentDateTime(kNow);
}

void TestRefreshLoop::cleanup()
{
    setFixedCurrentDateTime(std::nullopt);
    m_storage.reset();
}

void TestRefreshLoop::passesComeAboutOnceASecond()
{
    FakeList list;
    QObject context;  // goes first: results still queued for it are dropped
    auto loop = list.loopOn(&context);
    loop->start();
    QTRY_VERIFY_WITH_TIMEOUT(list.applied.size() >= 3, 10000);
    loop->stopAndWait();
    // A whole pause lies between two passes.
    for (int i = 1; i < list.takenAtMs.size(); ++i)
        QVERIFY2(list.takenAtMs[i] - list.takenAtMs[i - 1] >= RefreshLoop::kPeriodMs,
                 qPrintable(QString::number(list.takenAtMs[i] - list.takenAtMs[i - 1])));
    // Each result comes back with the generation of the rows it was made from.
    for (int i = 0; i < list.appliedGenerations.size(); ++i)
        QCOMPARE(list.appliedGenerations[i], std::uint64_t(i + 1));
    QCOMPARE(list.applied[0].rows[0].duration, gbk("1 时 0 分"));
    QCOMPARE(list.applied[0].rows[0].fee, QByteArray("70"));
    QCOMPARE(list.applied[0].itemCount, QByteArray("1"));
}

void TestRefreshLoop::stopsPromptlyAtAnyMoment()
{
    for (int moment = 0; moment < 30; ++moment) {
        FakeList list;
        QObject context;
        auto loop = list.loopOn(&context);
        loop->start();
        QTest::qWait((moment * 41) % 1100);
        loop->stopAndWait();
        QVERIFY(loop->isFinished());
    }
}

void TestRefreshLoop::stopsWhileAPassWaitsForTheBusyGuiThread()
{
    FakeList list;
    QObject context;  // goes first: results still queued for it are dropped
    auto loop = list.loopOn(&context);
    loop->start();
    // The GUI thread is busy without serving events: the first pass is
    // waiting for its rows when the stop is asked for.
    QThread::msleep(200);
    QCOMPARE(list.takes, 0);
    // Waiting without serving the pass would never end.
    loop->stopAndWait();
    QVERIFY(loop->isFinished());
}

void TestRefreshLoop::destroyingARunningLoopStopsIt()
{
    FakeList list;
    QObject context;  // goes first: results still queued for it are dropped
    auto loop = list.loopOn(&context);
    loop->start();
    QTest::qWait(100);
    loop.reset();
    // Results still queued for the context are harmless once it is gone.
    QTest::qWait(50);
}

QTEST_MAIN(TestRefreshLoop)
#include "tst_refresh_loop.moc"
