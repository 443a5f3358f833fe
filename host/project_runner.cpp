#include "host/project_runner.h"

#include "boards/board_manager.h"
#include "host/link_port.h"
#include "host/module_manager.h"
#include "shell/shell_state.h"

namespace veltran {

TProjectRunner::TProjectRunner(TShell& shell, TCOMPILADORES& modules, TUSBGEST& boards,
                               TLinkPort& links)
    : shell_(shell), modules_(modules), boards_(boards), links_(links) {
    t_syncro_.setSingleShot(true);
    t_syncro_.setInterval(syncro_interval_ms);
    QObject::connect(&t_syncro_, &QTimer::timeout, &t_syncro_, [this] { syncro_tick(); });
}

void TProjectRunner::Compile() {
    modules_.Compile_all();
}

void TProjectRunner::Run() {
    running_ = true;
    shell_.menus_running();
    links_.create_links();
    modules_.Run_all();
    links_.connect_links();
    boards_.project_started();
    t_syncro_.start();
}

void TProjectRunner::Stop() {
    t_syncro_.stop();
    links_.stop_links();
    modules_.Stop_all();
    boards_.project_stopped();
    running_ = false;
    shell_.menus_project();
}

void TProjectRunner::syncro_tick() {
    t_syncro_.stop();
    links_.synchronise();
    boards_.Syncro();
}

} // namespace veltran
