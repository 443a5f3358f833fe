#pragma once
// The main window of both programs; the editor's full window is drawn on the
// same managers the headless tools use.

#include "shell/shell_state.h"

#include <QMainWindow>

namespace veltran {

class TMainWindow : public QMainWindow {
    Q_OBJECT
public:
    TMainWindow(TShell& shell, const QString& product_caption);
};

} // namespace veltran
