#pragma once

// Keeping the calling thread's events flowing while it works or waits.

// Dispatches the events waiting for the calling thread, then returns.
void processPendingEvents();

// Returns once more than ms milliseconds have passed, dispatching the calling
// thread's events meanwhile; at once for ms <= 0.
void waitWithEvents(int ms);
