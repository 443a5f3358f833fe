// VELTRAN_7_RUNTIME, the standalone player.
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    veltran::TShell shell(veltran::TProgramKind::player);
    shell.read_version();
    shell.app_folder = QCoreApplication::applicationDirPath().toStdString() + "/";
    shell.init_globals();
    veltran::TMainWindow window(shell, "VELTRAN_7_RUNTIME");
    window.show();
    return app.exec();
}
