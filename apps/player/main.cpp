// VELTRAN_7_RUNTIME, the standalone player.
#include "boards/board_options.h"
#include "shell/tree_model.h"
#include "ui/main_window.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    veltran::TShell shell(veltran::TProgramKind::player);
    shell.read_version();
    shell.app_folder = QCoreApplication::applicationDirPath().toStdString() + "/";
    shell.init_globals();
    std::vector<std::string> args(argv + 1, argv + argc);
    veltran::THardwareTree hardware_tree; // until the main window shows it
    veltran::TBoardManagerStart boards = veltran::open_board_manager(shell, args);
    if (!boards.boards) {
        std::fprintf(stderr, "VELTRAN_7_RUNTIME: %s\n", boards.error.c_str());
        return 2;
    }
    boards.boards->t_hardware = &hardware_tree;
    veltran::TMainWindow window(shell, "VELTRAN_7_RUNTIME");
    window.show();
    return app.exec();
}
