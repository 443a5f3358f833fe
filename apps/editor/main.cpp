// VELTRAN7, the editor.
#include "boards/board_options.h"
#include "shell/command_line.h"
#include "shell/tree_model.h"
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    veltran::TShell shell(veltran::TProgramKind::editor);
    shell.read_version();
    shell.app_folder = QCoreApplication::applicationDirPath().toStdString() + "/";
    shell.init_globals();
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    veltran::THardwareTree hardware_tree; // until the main window shows it
    const auto boards = veltran::start_board_manager(shell, args, hardware_tree, "VELTRAN7");
    if (!boards) return 2;
    const veltran::TStartMode mode = veltran::parse_command_line(args);
    shell.debug_page_visible = mode.debug_page;
    veltran::TMainWindow window(shell, "VELTRAN7");
    if (mode.player())
        window.showMinimized();
    else
        window.showMaximized();
    return app.exec();
}
