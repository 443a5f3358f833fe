#pragma once
// The managers of a program without its windows, created in the program's
// order (board manager, connections, module manager, project manager) and
// wired together, with the run control over them: what the companion, the
// tests and the programs build on.

#include "boards/board_manager.h"
#include "host/link_port.h"
#include "host/module_manager.h"
#include "host/project_runner.h"
#include "shell/card_list.h"
#include "shell/connection_table.h"
#include "shell/project_manager.h"
#include "shell/shell_state.h"
#include "shell/tree_model.h"

#include <memory>

namespace veltran {

class THidController;

class THostModel {
public:
    // `clock` times the encoders' fast turns (the steady clock when null);
    // without `links` the project reaches no simulator.
    explicit THostModel(std::unique_ptr<THidController> controller,
                        TProgramKind kind = TProgramKind::editor, const TDayClock* clock = nullptr,
                        TLinkPort* links = nullptr);
    // A running project is stopped first.
    ~THostModel();
    THostModel(const THostModel&) = delete;
    THostModel& operator=(const THostModel&) = delete;

    TShell shell;
    THardwareTree tree;
    TCardList connection_cards = make_connection_card_list();
    TCardList module_cards{{"", ""}};

private:
    TNoLinks no_links_;

public:
    TLinkPort& links;
    TUSBGEST boards;
    TConnectionTable connections{shell, tree, connection_cards};
    TCOMPILADORES modules;
    TPROYECTOS project{shell, tree, connections, modules};
    TProjectRunner runner{shell, modules, boards, links};
};

} // namespace veltran
