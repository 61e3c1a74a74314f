#include <QApplication>
#include <QMainWindow>

#include "foundation/storage_paths.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    startUp();
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Koravel V1.2"));
    window.setGeometry(50, 50, 866, 604);
    window.show();
    return app.exec();
}
