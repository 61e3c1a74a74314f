#include "foundation/events.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace {

// Short enough that events waiting for the thread are seen promptly, long
// enough that a wait does not spin a core.
constexpr qint64 kWaitStepMs = 10;

} // namespace

void processPendingEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void waitWithEvents(int ms)
{
    if (ms <= 0)
        return;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        processPendingEvents();
        const qint64 elapsed = clock.elapsed();
        if (elapsed > ms)
            return;
        QThread::msleep(static_cast<unsigned long>(qMin(kWaitStepMs, ms - elapsed + 1)));
    }
}
