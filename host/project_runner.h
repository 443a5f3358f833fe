#pragma once
// The run side of the project manager: RUN PROJECT, STOP PROJECT and COMPILE
// PROJECT over the module manager, the links and the boards, and the one-shot
// synchronisation a second after a run started.

#include <QTimer>

namespace veltran {

class TCOMPILADORES;
class TLinkPort;
class TShell;
class TUSBGEST;

class TProjectRunner {
public:
    static constexpr int syncro_interval_ms = 1000;

    TProjectRunner(TShell& shell, TCOMPILADORES& modules, TUSBGEST& boards, TLinkPort& links);

    void Compile();
    // The links are created, every module runs in slot order, the links
    // connect and the boards start; a second later syncro_tick runs once.
    void Run();
    // The links stop, then the modules and the boards.
    void Stop();
    // The connection manager and then the board manager announce their
    // current values again.
    void syncro_tick();

    bool running() const { return running_; }
    bool syncro_pending() const { return t_syncro_.isActive(); }

private:
    TShell& shell_;
    TCOMPILADORES& modules_;
    TUSBGEST& boards_;
    TLinkPort& links_;
    QTimer t_syncro_;
    bool running_ = false;
};

} // namespace veltran
