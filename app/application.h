#pragma once

// Runs the program: the start-up in its fixed order, the main window, the
// event loop until the main window is closed. Returns the exit code.
int runApplication(int argc, char *argv[]);
