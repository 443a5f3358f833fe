#pragma once
// The project model as the editor keeps it, without windows and without
// running anything: for the command-line companion and the tests.

#include "shell/card_list.h"
#include "shell/connection_table.h"
#include "shell/module_table.h"
#include "shell/project_manager.h"
#include "shell/shell_state.h"
#include "shell/tree_model.h"

namespace veltran {

struct TProjectModel {
    TShell shell;
    THardwareTree tree;
    TCardList connection_cards = make_connection_card_list();
    TCardList module_cards{{"", ""}};
    TConnectionTable connections{shell, tree, connection_cards};
    TModuleTable modules{shell, tree, module_cards};
    TPROYECTOS project{shell, tree, connections, modules};
};

} // namespace veltran
