// VELTRAN7, the editor.
#include "shell/command_line.h"
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
    const veltran::TStartMode mode = veltran::parse_command_line(args);
    shell.debug_page_visible = mode.debug_page;
    veltran::TMainWindow window(shell, "VELTRAN7");
    if (mode.player())
        window.showMinimized();
    else
        window.showMaximized();
    return app.exec();
}
