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
    QList<std::uint64_t> appliedGenerations;
    QList<RefreshPassResult> applied;

    std::unique_ptr<RefreshLoop> loopOn(QObject *context)
    {
        return std::make_unique<RefreshLoop>(
            context,
            [this] {
                ++takes;
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
    QTest::qWait(2500);
    loop->stopAndWait();
    QVERIFY2(list.takes >= 2 && list.takes <= 3, qPrintable(QString::number(list.takes)));
    QVERIFY(list.applied.size() >= list.takes - 1);
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
        QElapsedTimer stopping;
        stopping.start();
        loop->stopAndWait();
        QVERIFY(loop->isFinished());
        QVERIFY2(stopping.elapsed() < 300, qPrintable(QString::number(stopping.elapsed())));
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
    QElapsedTimer stopping;
    stopping.start();
    loop->stopAndWait();
    QVERIFY(loop->isFinished());
    QVERIFY(stopping.elapsed() < 300);
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
