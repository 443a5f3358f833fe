// VELTRAN_7_RUNTIME, the standalone player.
#include "boards/board_options.h"
#include "shell/tree_model.h"
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    veltran::TShell shell(veltran::TProgramKind::player);
    shell.read_version();
    shell.app_folder = QCoreApplication::applicationDirPath().toStdString() + "/";
    shell.init_globals();
    std::vector<std::string> args(argv + 1, argv + argc);
    veltran::THardwareTree hardware_tree; // until the main window shows it
    const auto boards =
        veltran::start_board_manager(shell, args, hardware_tree, "VELTRAN_7_RUNTIME");
    if (!boards) return 2;
    veltran::TMainWindow window(shell, "VELTRAN_7_RUNTIME");
    window.show();
    return app.exec();
}
