#pragma once
// The module manager: the module slots of the project, each with its module
// host, compiled, run and stopped one by one or all together, and the
// producers' way to the running modules. Every event goes to every running
// module in slot order; the encoder table and the ten script timers are
// shared by all modules.

#include "boards/board_events.h"
#include "host/day_clock.h"
#include "host/encoders.h"
#include "host/module_events.h"
#include "host/module_host.h"
#include "host/script_timers.h"
#include "shell/module_table.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veltran {

class TConnectionTable;
class TLinkPort;
class TUSBGEST;

// The editor pages of the main window, as the module manager drives them.
class TEditorPages {
public:
    virtual ~TEditorPages() = default;
    virtual void show_editor(int slot) = 0;
    // Closing the project: every editor page goes and the first page shows.
    virtual void close_editors() = 0;
};

class TCOMPILADORES : public TModuleTable, public TModuleEvents, public TBoardEvents {
public:
    // `clock` times the encoders' fast turns (the steady clock when null).
    TCOMPILADORES(TShell& shell, THardwareTree& tree, TCardList& cards, TUSBGEST& boards,
                  TLinkPort& links, const TConnectionTable& connections,
                  const TDayClock* clock = nullptr);
    ~TCOMPILADORES() override;

    void set_pages(TEditorPages* pages) { pages_ = pages; }
    // The host of a slot that was filled since the project was loaded, or null.
    TCOMPILADORFS* host(int slot);
    TEncoderTable& encoders() { return encoders_; }
    TScriptTimers& timers() { return timers_; }

    // The whole project, slot by slot, letting pending messages through
    // before each slot.
    void Compile_all();
    void Run_all();
    // Also stops the running module of a slot deleted since it was run.
    void Stop_all() override;
    // One slot with a live editor page; any other slot is left alone.
    void Compile(int slot);
    void Run(int slot);
    void Stop(int slot);
    // Stops, then runs the text the module holds.
    void Restart(int slot);
    void cerrar_proyecto() override;
    void show_code(const TTreeNode* node);
    void point_at_editor(int slot) override;
    // The text the editor page of a filled slot shows and edits.
    std::string& editor_lines(int slot) { return host(slot)->editor_lines(); }

    // ---- board events (the report decoder)
    void feed_encoders(std::string_view board, std::string_view old_inputs,
                       std::string_view new_inputs) override;
    void input_changed(std::string_view board, int input, char value) override;
    void all_inputs_changed(std::string_view board, std::string_view inputs) override;
    void adc_changed(std::string_view board, int axis, std::int32_t value) override;

    // ---- the encoder decoder and the script timers
    void encoder_changed(std::int32_t id, std::int32_t value) override;
    void timer_elapsed(std::int64_t id) override;

    // ---- link events (the connection manager)
    void iocp_connected(std::int32_t socket);
    void iocp_connect_failed(std::int32_t socket);
    void iocp_connection_closed(std::int32_t socket);
    void iocp_changed(std::int32_t socket, std::int32_t offset, std::int32_t value);
    void iocp_change_syncro(std::int32_t socket, std::int32_t offset, std::int32_t value);
    void iocp_server_changed(std::int32_t offset, std::int32_t value);
    void fsuipc_error(std::string_view message);
    void fsuipc_connected(std::string_view message);
    void fsuipc_disconnected(std::string_view message);
    void fsuipc_changed(std::int32_t offset, const Variant& value);
    void ifly_changed(std::int32_t variable, const Variant& value);
    void ifly_connected();
    void ifly_disconnected();

protected:
    std::unique_ptr<TCodeModule> create_host() override;

private:
    template <typename After>
    void deliver(TScriptEvent event, std::span<const Variant> args, After after);
    void deliver(TScriptEvent event, std::span<const Variant> args);
    bool active_slot(int slot) const;
    const Variant& board_value(std::string_view board);
    void delete_idle_retired();

    TSteadyDayClock steady_clock_;
    TEncoderTable encoders_;
    TScriptTimers timers_;
    THostServices services_;
    TEditorPages* pages_ = nullptr;
    // Hosts of a closed project whose script call has not returned yet.
    std::vector<std::unique_ptr<TCodeModule>> retired_;
    int delivering_ = 0;
    // The board events' argument values, made once or once per board.
    const Variant value_texts_[2] = {Variant::from_utf8("0"), Variant::from_utf8("1")};
    std::string last_board_;
    Variant last_board_value_ = Variant::from_utf8("");
};

} // namespace veltran
