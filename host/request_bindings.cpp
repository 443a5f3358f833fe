#include "host/request_bindings.h"

#include "boards/board_bindings.h"
#include "boards/board_names.h"
#include "engine/text.h"
#include "host/link_port.h"
#include "shell/connection_table.h"
#include "shell/log_channel.h"
#include "shell/shell_state.h"

#include <climits>
#include <cmath>

namespace veltran {
namespace {

bool has_ifly(const TConnectionTable& connections) {
    return connections.slot(ifly_slot).tipo == conn_ifly;
}

// The connection slot of a request's connection id holds an IOCP client or the server.
bool iocp_connection_open(const TConnectionTable& connections, std::int32_t connection) {
    if (connection == iocp_server_connection)
        return connections.slot(iocp_server_slot).tipo == conn_iocp_server;
    return connection >= 1 && connection <= max_iocp_clients &&
           connections.slot(connection).tipo == conn_iocp;
}

// A board command of a binding: a board name that cannot be resolved is the
// module's board error, not the event producer's.
template <typename Command>
void on_board(const TBindingTargets& t, std::string_view board, Command command) {
    try {
        command();
    } catch (const TBoardNameError&) {
        std::string line = "Code=\"";
        line += t.title;
        line += "\", Board not valid=\"";
        line += board;
        line += '"';
        t.shell.add_log(log_error_boards, line);
    }
}

} // namespace

std::int32_t scaled_encoder_value(std::int32_t value, float multi) {
    const double scaled = std::nearbyint(static_cast<double>(value) * static_cast<double>(multi));
    if (!(scaled >= INT_MIN)) return scaled > 0 ? INT_MAX : INT_MIN; // also NaN
    return scaled > INT_MAX ? INT_MAX : static_cast<std::int32_t>(scaled);
}

void TRequestBindings::clear() {
    inputs_.clear();
    encoders_.clear();
    values_.clear();
}

void TRequestBindings::build(const std::vector<Treqhard>& requests, const TLinkPort& links) {
    clear();
    for (const Treqhard& r : requests) {
        if (r.borrado || !r.extra) continue;
        const TIocpTarget iocp{r.iocp_sel, r.iocp_conn, r.iocp_offset};
        const std::int32_t command =
            r.ifly_sel ? ifly_name_index(links.ifly_command_names(), r.ifly_offset) : -1;
        switch (r.tipo) {
        case req_input:
            inputs_.push_back({std::string(trim_view(r.board)), r.in1, command, iocp, r.in_on,
                               r.in_off, r.in_push_on == 0, r.in_push_off == 0});
            break;
        case req_encoder: encoders_.push_back({r.enc_id, r.enc_multi, command, iocp}); break;
        case req_output:
        case req_display:
            values_.push_back(
                {r.tipo == req_display, r.board, r.tipo == req_display ? r.display : r.out1,
                 r.out_on, r.out_off, r.dis_char, static_cast<std::uint8_t>(r.dis_ndigitos),
                 static_cast<std::uint8_t>(r.dis_dp), iocp,
                 r.ifly_sel ? ifly_name_index(links.ifly_variable_names(), r.ifly_offset) : -1});
            break;
        default: break;
        }
    }
}

void TRequestBindings::write_iocp(const TBindingTargets& t, const TIocpTarget& iocp,
                                  std::int32_t value) {
    if (!iocp.bound || !iocp_connection_open(t.connections, iocp.connection)) return;
    if (iocp.connection == iocp_server_connection)
        t.links.write_iocp_server(iocp.offset, value);
    else
        t.links.write_iocp_client(iocp.connection, iocp.offset, value);
}

void TRequestBindings::input_changed(const TBindingTargets& t, std::string_view board, int input,
                                     char value) const {
    if (inputs_.empty()) return;
    const std::string_view name = trim_view(board);
    const bool on = value == '1';
    for (const TInputBinding& b : inputs_) {
        if (b.input != input || b.board != name || !(on ? b.send_on : b.send_off)) continue;
        const std::int32_t sent = on ? b.on_value : b.off_value;
        if (b.ifly_command >= 0 && has_ifly(t.connections))
            t.links.send_ifly_command(b.ifly_command, sent);
        write_iocp(t, b.iocp, sent);
    }
}

void TRequestBindings::encoder_changed(const TBindingTargets& t, std::int32_t id,
                                       std::int32_t value) const {
    for (const TEncoderBinding& b : encoders_) {
        if (b.encoder != id) continue;
        const std::int32_t sent = scaled_encoder_value(value, b.multi);
        if (b.ifly_command >= 0 && has_ifly(t.connections))
            t.links.send_ifly_command(b.ifly_command, sent);
        write_iocp(t, b.iocp, sent);
    }
}

void TRequestBindings::show_value(const TBindingTargets& t, const TValueBinding& b,
                                  std::int32_t value, const Variant* ifly_value) {
    on_board(t, b.board, [&] {
        if (!b.display)
            return drive_output(t.boards, t.title,
                                TOutputBinding{b.board, b.output_or_first, b.on_value, b.off_value},
                                value);
        const TDisplayBinding display{b.board, b.output_or_first, b.fill, b.digits, b.dp};
        if (ifly_value)
            show_ifly_value(t.boards, t.title, display, ifly_value->to_utf8());
        else
            show_iocp_value(t.boards, t.title, display, value);
    });
}

void TRequestBindings::iocp_changed(const TBindingTargets& t, std::int32_t connection,
                                    std::int32_t offset, std::int32_t value) const {
    for (const TValueBinding& b : values_)
        if (b.iocp.bound && b.iocp.connection == connection && b.iocp.offset == offset)
            show_value(t, b, value, nullptr);
}

void TRequestBindings::ifly_changed(const TBindingTargets& t, std::int32_t variable,
                                    const Variant& value) const {
    for (const TValueBinding& b : values_) {
        if (b.ifly_variable < 0 || b.ifly_variable != variable) continue;
        // An output compares the value as a number; one that is none switches nothing.
        std::int32_t number = 0;
        try {
            if (!b.display) number = value.to_int();
        } catch (const std::exception&) {
            continue;
        }
        show_value(t, b, number, &value);
    }
}

void TRequestBindings::iocp_connected(const TBindingTargets& t, std::int32_t client) const {
    for (const TValueBinding& b : values_)
        if (b.iocp.bound && b.iocp.connection == client)
            t.links.register_iocp_offset(client, b.iocp.offset);
}

} // namespace veltran
