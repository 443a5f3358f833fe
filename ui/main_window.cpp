#include "ui/main_window.h"

#include <QStatusBar>

namespace veltran {

TMainWindow::TMainWindow(TShell& shell, const QString& product_caption) {
    setWindowTitle(product_caption);
    statusBar()->showMessage(
        QString::fromStdString("VELTRAN " + shell.version + " Build " + shell.build));
    resize(1024, 700);
}

} // namespace veltran
