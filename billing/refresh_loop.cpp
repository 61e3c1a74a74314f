#include "billing/refresh_loop.h"

#include "foundation/datetime.h"
#include "foundation/storage_paths.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

#include <algorithm>

namespace {

// Short enough that closing the window never waits noticeably for a pause.
constexpr int kStopCheckMs = 20;

} // namespace

RefreshLoop::RefreshLoop(QObject *context, TakeRows take, ApplyResult apply)
    : m_context(context), m_take(std::move(take)), m_apply(std::move(apply))
{
}

RefreshLoop::~RefreshLoop()
{
    stopAndWait();
}

void RefreshLoop::stopAndWait()
{
    requestInterruption();
    // Waiting without serving events would deadlock against a pass that is
    // waiting for this thread to hand it the rows. User input stays queued:
    // nothing the operator does may start while the window is going away.
    while (!wait(QDeadlineTimer(kStopCheckMs)))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void RefreshLoop::run()
{
    while (!isInterruptionRequested() && runPass())
        pause();
}

bool RefreshLoop::runPass()
{
    RefreshRows rows;
    const bool taken = QMetaObject::invokeMethod(
        m_context, [&] { rows = m_take(); }, Qt::BlockingQueuedConnection);
    if (!taken || isInterruptionRequested())
        return taken;
    const RefreshPassResult result = computeRefreshPass(
        rows.rows, IniSnapshot::read(storagePaths().settingsFilePath), currentDateTime());
    // Queued, not blocking: the GUI thread writes the texts when it gets to
    // them, and texts still queued when the context goes away are dropped
    // with it.
    QMetaObject::invokeMethod(
        m_context, [apply = m_apply, generation = rows.generation, result] { apply(generation, result); },
        Qt::QueuedConnection);
    return true;
}

void RefreshLoop::pause()
{
    QDeadlineTimer deadline(kPeriodMs, Qt::PreciseTimer);
    while (!isInterruptionRequested() && !deadline.hasExpired())
        msleep(std::min<qint64>(kStopCheckMs, std::max<qint64>(1, deadline.remainingTime())));
}
