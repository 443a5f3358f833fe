#include "host/host_model.h"

#include "boards/hid_controller.h"

namespace veltran {

THostModel::THostModel(std::unique_ptr<THidController> controller, TProgramKind kind,
                       const TDayClock* clock, TLinkPort* links_port)
    : shell(kind), links(links_port ? *links_port : no_links_),
      boards(shell, std::move(controller)),
      modules(shell, tree, module_cards, boards, links, connections, clock) {
    boards.t_hardware = &tree;
    boards.set_events(&modules);
}

THostModel::~THostModel() {
    if (runner.running()) runner.Stop();
    boards.set_events(nullptr);
}

} // namespace veltran
