#pragma once
// What the module host needs of the connection manager: the life cycle of the
// links around a run, the writes the request bindings and the built-in
// procedures make, and the iFly name tables. The connection manager of the
// links layer implements it; until then the host runs on TNoLinks.

#include "engine/variant.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace veltran {

class TLinkPort {
public:
    virtual ~TLinkPort() = default;

    // Run: the links are created before the modules run and connected after.
    virtual void create_links() = 0;
    virtual void connect_links() = 0;
    // Stop: the links stop before the modules.
    virtual void stop_links() = 0;
    // The one-time synchronisation after a run started.
    virtual void synchronise() = 0;

    // IOCP client 1..9: the value is stored in the client's cache and sent.
    virtual void write_iocp_client(std::int32_t client, std::int32_t offset,
                                   std::int32_t value) = 0;
    // The IOCP server, while it is active.
    virtual void write_iocp_server(std::int32_t offset, std::int32_t value) = 0;
    // The client reports the offset's changes from now on.
    virtual void register_iocp_offset(std::int32_t client, std::int32_t offset) = 0;
    // The cached value of an offset of IOCP client 1..9: 0 when none arrived
    // or the client does not exist.
    virtual std::int32_t read_iocp_client(std::int32_t client, std::int32_t offset) = 0;
    // A key event with its value, sent on IOCP client 1..9.
    virtual void write_iocp_key(std::int32_t client, std::int32_t key, std::int32_t value) = 0;
    // An iFly command with its argument, while the iFly link is connected.
    virtual void send_ifly_command(std::int32_t command, std::int32_t value) = 0;
    // An iFly variable reported on change from now on, while the link is connected.
    virtual void register_ifly_variable(std::int32_t variable) = 0;
    // The current value of an iFly variable; empty without an iFly connection.
    virtual Variant read_ifly(std::int32_t variable) = 0;

    // An FSUIPC offset polled with `size` bytes.
    virtual void register_fsuipc_offset(std::int64_t offset, std::int64_t size) = 0;
    // The low `size` bytes (1..8) of the value, while the FSUIPC link is connected.
    virtual void write_fsuipc(std::int64_t offset, int size, std::int64_t value) = 0;
    // The value the last poll fetched for a registered offset, read as a signed
    // integer of `size` bytes (1, 2, 4 or 8); 0 while the link is not open.
    virtual std::int64_t read_fsuipc(std::int64_t offset, int size) = 0;

    // Brings the window with that title (or, failing that, class name) to the
    // front and types the keys into it; "OK" or the error text, in UTF-8.
    virtual std::string send_keys(std::string_view window, std::string_view keys) = 0;

    // The 1285 iFly command names and the 922 iFly variable names, in index order.
    virtual std::span<const std::string_view> ifly_command_names() const = 0;
    virtual std::span<const std::string_view> ifly_variable_names() const = 0;
};

// A project without links: nothing to start, nothing reaches a simulator.
class TNoLinks final : public TLinkPort {
public:
    void create_links() override {}
    void connect_links() override {}
    void stop_links() override {}
    void synchronise() override {}
    void write_iocp_client(std::int32_t, std::int32_t, std::int32_t) override {}
    void write_iocp_server(std::int32_t, std::int32_t) override {}
    void register_iocp_offset(std::int32_t, std::int32_t) override {}
    std::int32_t read_iocp_client(std::int32_t, std::int32_t) override { return 0; }
    void write_iocp_key(std::int32_t, std::int32_t, std::int32_t) override {}
    void send_ifly_command(std::int32_t, std::int32_t) override {}
    void register_ifly_variable(std::int32_t) override {}
    Variant read_ifly(std::int32_t) override { return Variant(); }
    void register_fsuipc_offset(std::int64_t, std::int64_t) override {}
    void write_fsuipc(std::int64_t, int, std::int64_t) override {}
    std::int64_t read_fsuipc(std::int64_t, int) override { return 0; }
    // No keystroke sender finds a window.
    std::string send_keys(std::string_view window, std::string_view) override;
    std::span<const std::string_view> ifly_command_names() const override { return {}; }
    std::span<const std::string_view> ifly_variable_names() const override { return {}; }
};

// sendkey's answer when no window has that title or class.
std::string window_not_found_text(std::string_view window);

// The index of the last name of the table that equals `name` exactly, or -1.
std::int32_t ifly_name_index(std::span<const std::string_view> names, std::string_view name);

} // namespace veltran
