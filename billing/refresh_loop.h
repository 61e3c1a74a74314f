#pragma once

#include "billing/refresh_pass.h"

#include <QList>
#include <QObject>
#include <QThread>

#include <cstdint>
#include <functional>

// The live refresh: about once a second, for as long as it runs, it takes the
// rows of the item list, computes durations, fees and counts on a thread of
// its own (one read of the settings file per pass) and hands the results
// back. Taking and applying happen on the thread of `context` (the GUI
// thread), so the list is only ever touched there; the loop's thread waits
// while `context`'s thread is busy, and never the other way round.
class RefreshLoop : public QThread {
    Q_OBJECT
public:
    using TakeRows = std::function<RefreshRows()>;
    using ApplyResult = std::function<void(std::uint64_t generation, const RefreshPassResult &)>;

    // `take` and `apply` run on context's thread. The loop must be stopped
    // before context is destroyed (it usually owns the loop).
    RefreshLoop(QObject *context, TakeRows take, ApplyResult apply);
    // Stops the loop first (see stopAndWait).
    ~RefreshLoop() override;

    // Asks the loop to stop and serves the calling thread's events (not user
    // input) until it has, so a pass waiting for that thread can finish.
    // Returns at once when the loop is not running. Call from context's thread.
    void stopAndWait();

    // The pause between passes, in milliseconds.
    static constexpr int kPeriodMs = 1000;

protected:
    void run() override;

private:
    bool runPass();
    void pause();

    QObject *m_context;
    TakeRows m_take;
    ApplyResult m_apply;
};
