#include "host/module_manager.h"

#include "shell/shell_state.h"
#include "shell/tree_model.h"

#include <algorithm>

namespace veltran {
namespace {

Variant byte_value(int value) {
    return Variant::of_integer(varByte, static_cast<std::uint8_t>(value));
}

} // namespace

TCOMPILADORES::TCOMPILADORES(TShell& shell, THardwareTree& tree, TCardList& cards, TUSBGEST& boards,
                             TLinkPort& links, const TConnectionTable& connections,
                             const TDayClock* clock)
    : TModuleTable(shell, tree, cards), encoders_(*this, shell, clock ? *clock : steady_clock_),
      timers_(*this), services_{shell, boards, links, connections, globales(), encoders_, timers_} {
}

TCOMPILADORES::~TCOMPILADORES() {
    // The hosts use the timers and the encoder table, which go first.
    for (int i = 0; i < slot_count; ++i)
        slot(i).host.reset();
    retired_.clear();
}

std::unique_ptr<TCodeModule> TCOMPILADORES::create_host() {
    return std::make_unique<TCOMPILADORFS>(services_);
}

TCOMPILADORFS* TCOMPILADORES::host(int index) {
    if (index < 0 || index >= cont_codigos()) return nullptr;
    return static_cast<TCOMPILADORFS*>(slot(index).host.get());
}

bool TCOMPILADORES::active_slot(int index) const {
    return index >= 0 && index < cont_codigos() && slot(index).active && slot(index).host;
}

void TCOMPILADORES::point_at_editor(int index) {
    if (TCOMPILADORFS* h = host(index)) h->point_at_editor();
}

void TCOMPILADORES::Compile_all() {
    for (int i = 0; i < cont_codigos(); ++i) {
        shell().process_pending_messages();
        if (!in_use(i)) continue;
        point_at_editor(i);
        host(i)->Compile();
    }
}

void TCOMPILADORES::Run_all() {
    for (int i = 0; i < cont_codigos(); ++i) {
        shell().process_pending_messages();
        if (!in_use(i)) continue;
        if (slot(i).active) {
            point_at_editor(i);
        } else {
            host(i)->Stop();
        }
        host(i)->Run();
    }
}

void TCOMPILADORES::Stop_all() {
    for (int i = 0; i < cont_codigos(); ++i) {
        shell().process_pending_messages();
        TCOMPILADORFS* h = host(i);
        if (h && h->running()) h->Stop();
    }
}

void TCOMPILADORES::Compile(int index) {
    if (!active_slot(index)) return;
    point_at_editor(index);
    host(index)->Compile();
}

void TCOMPILADORES::Run(int index) {
    if (!active_slot(index)) return;
    point_at_editor(index);
    host(index)->Run();
}

void TCOMPILADORES::Stop(int index) {
    if (active_slot(index)) host(index)->Stop();
}

void TCOMPILADORES::Restart(int index) {
    if (!active_slot(index)) return;
    host(index)->Stop();
    host(index)->Run();
}

void TCOMPILADORES::cerrar_proyecto() {
    // A host whose script is still on the stack (the close came from inside
    // one of its log calls) lives on, halted, until that call has returned.
    for (int i = 0; i < cont_codigos(); ++i) {
        TCOMPILADORFS* h = host(i);
        if (!h || !h->busy()) continue;
        h->halt();
        retired_.push_back(std::move(slot(i).host));
    }
    TModuleTable::cerrar_proyecto();
    delete_idle_retired();
    if (pages_) pages_->close_editors();
}

void TCOMPILADORES::delete_idle_retired() {
    std::erase_if(retired_, [](const std::unique_ptr<TCodeModule>& h) {
        return !static_cast<const TCOMPILADORFS&>(*h).busy();
    });
}

void TCOMPILADORES::show_code(const TTreeNode* node) {
    for (int i = 0; i < cont_codigos(); ++i)
        if (node && in_use(i) && slot(i).tree_node == node && pages_) pages_->show_editor(i);
    shell().modified = true;
}

// ---- delivery

template <typename After>
void TCOMPILADORES::deliver(TScriptEvent event, std::span<const Variant> args, After after) {
    ++delivering_;
    // The count and each host are read again on every round: a script may
    // stop, run or close modules from inside its log calls.
    for (int i = 0; i < cont_codigos(); ++i) {
        TCOMPILADORFS* h = host(i);
        if (!h || !h->running()) continue;
        h->call_event(event, args);
        if (h->running()) after(*h);
    }
    if (--delivering_ == 0 && !retired_.empty()) delete_idle_retired();
}

void TCOMPILADORES::deliver(TScriptEvent event, std::span<const Variant> args) {
    deliver(event, args, [](const TCOMPILADORFS&) {});
}

const Variant& TCOMPILADORES::board_value(std::string_view board) {
    if (board != last_board_) {
        last_board_ = board;
        last_board_value_ = Variant::from_utf8(board);
    }
    return last_board_value_;
}

void TCOMPILADORES::feed_encoders(std::string_view board, std::string_view old_inputs,
                                  std::string_view new_inputs) {
    encoders_.feed(board, old_inputs, new_inputs);
}

void TCOMPILADORES::input_changed(std::string_view board, int input, char value) {
    const Variant args[] = {board_value(board), byte_value(input), value_texts_[value == '1']};
    deliver(TScriptEvent::input_change, args, [&](const TCOMPILADORFS& h) {
        h.bindings().input_changed(h.binding_targets(), board, input, value);
    });
}

void TCOMPILADORES::all_inputs_changed(std::string_view board, std::string_view inputs) {
    const Variant args[] = {board_value(board), Variant::from_utf8(inputs)};
    deliver(TScriptEvent::input_change_all, args);
}

void TCOMPILADORES::adc_changed(std::string_view board, int axis, std::int32_t value) {
    const Variant args[] = {board_value(board), byte_value(axis), Variant(value)};
    deliver(TScriptEvent::adc_change, args);
}

void TCOMPILADORES::encoder_changed(std::int32_t id, std::int32_t value) {
    const Variant args[] = {Variant(id), Variant(value)};
    deliver(TScriptEvent::encoder_change, args, [&](const TCOMPILADORFS& h) {
        h.bindings().encoder_changed(h.binding_targets(), id, value);
    });
}

void TCOMPILADORES::timer_elapsed(std::int64_t id) {
    if (id < 0 || id >= timer_slot_count) return;
    deliver(timer_event(id), {});
}

void TCOMPILADORES::iocp_connected(std::int32_t socket) {
    const Variant args[] = {Variant(socket)};
    deliver(TScriptEvent::iocp_connect, args, [&](const TCOMPILADORFS& h) {
        h.bindings().iocp_connected(h.binding_targets(), socket);
    });
}

void TCOMPILADORES::iocp_connect_failed(std::int32_t socket) {
    const Variant args[] = {Variant(socket)};
    deliver(TScriptEvent::iocp_connect_fail, args);
}

void TCOMPILADORES::iocp_connection_closed(std::int32_t socket) {
    const Variant args[] = {Variant(socket)};
    deliver(TScriptEvent::iocp_connect_closed, args);
}

void TCOMPILADORES::iocp_changed(std::int32_t socket, std::int32_t offset, std::int32_t value) {
    const Variant args[] = {Variant(socket), Variant(offset), Variant(value)};
    deliver(TScriptEvent::iocp_change, args, [&](const TCOMPILADORFS& h) {
        h.bindings().iocp_changed(h.binding_targets(), socket, offset, value);
    });
}

void TCOMPILADORES::iocp_change_syncro(std::int32_t socket, std::int32_t offset,
                                       std::int32_t value) {
    const Variant args[] = {Variant(socket), Variant(offset), Variant(value)};
    deliver(TScriptEvent::iocp_change_syncro, args);
}

void TCOMPILADORES::iocp_server_changed(std::int32_t offset, std::int32_t value) {
    const Variant args[] = {Variant(offset), Variant(value)};
    deliver(TScriptEvent::iocp_server_change, args, [&](const TCOMPILADORFS& h) {
        h.bindings().iocp_changed(h.binding_targets(), iocp_server_connection, offset, value);
    });
}

void TCOMPILADORES::fsuipc_error(std::string_view message) {
    const Variant args[] = {Variant::from_utf8(message)};
    deliver(TScriptEvent::fsuipc_error, args);
}

void TCOMPILADORES::fsuipc_connected(std::string_view message) {
    const Variant args[] = {Variant::from_utf8(message)};
    deliver(TScriptEvent::fsuipc_connect, args);
}

void TCOMPILADORES::fsuipc_disconnected(std::string_view message) {
    const Variant args[] = {Variant::from_utf8(message)};
    deliver(TScriptEvent::fsuipc_disconnect, args);
}

void TCOMPILADORES::fsuipc_changed(std::int32_t offset, const Variant& value) {
    const Variant args[] = {Variant(offset), value};
    deliver(TScriptEvent::fsuipc_change, args);
}

void TCOMPILADORES::ifly_changed(std::int32_t variable, const Variant& value) {
    const Variant args[] = {Variant(variable), value};
    deliver(TScriptEvent::ifly_change, args, [&](const TCOMPILADORFS& h) {
        h.bindings().ifly_changed(h.binding_targets(), variable, value);
    });
}

void TCOMPILADORES::ifly_connected() {
    deliver(TScriptEvent::ifly_connect, {});
}

void TCOMPILADORES::ifly_disconnected() {
    deliver(TScriptEvent::ifly_disconnect, {});
}

} // namespace veltran
