#include "app/application.h"

#include "foundation/storage_paths.h"
#include "mainwindow/main_window.h"
#include "mainwindow/ui_fonts.h"

#include <QApplication>

int runApplication(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installFontSubstitutions();
    // The storage paths are fixed before any window can read them.
    startUp();
    MainWindow window;
    window.show();
    return app.exec();
}
