#pragma once
// What the module host needs of the connection manager: the life cycle of the
// links around a run, the writes the request bindings and the built-in
// procedures make, and the iFly name tables. The connection manager of the
// links layer implements it; until then the host runs on TNoLinks.

#include <cstdint>
#include <span>
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
    // An iFly command with its argument, while the iFly link is connected.
    virtual void send_ifly_command(std::int32_t command, std::int32_t value) = 0;

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
    void send_ifly_command(std::int32_t, std::int32_t) override {}
    std::span<const std::string_view> ifly_command_names() const override { return {}; }
    std::span<const std::string_view> ifly_variable_names() const override { return {}; }
};

// The index of the last name of the table that equals `name` exactly, or -1.
std::int32_t ifly_name_index(std::span<const std::string_view> names, std::string_view name);

} // namespace veltran
