#pragma once
// The requests with extra configuration move values without script code:
// board inputs and encoder values to IOCP offsets or iFly commands, IOCP and
// iFly values to board outputs and displays. A module's bindings are taken
// from its requests at each compile, with the iFly names already resolved, so
// that an event only compares numbers and the board name.

#include "engine/variant.h"
#include "shell/request.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltran {

class TConnectionTable;
class TLinkPort;
class TShell;
class TUSBGEST;

// Where the bindings act, and the module acting (its title names it in the
// board layer's error lines).
struct TBindingTargets {
    TShell& shell;
    TUSBGEST& boards;
    TLinkPort& links;
    const TConnectionTable& connections;
    std::string_view title;
};

// The connection id a request gives for the IOCP server.
inline constexpr std::int32_t iocp_server_connection = 10;

// value × multi, rounded to the nearest integer with halves to the even one.
std::int32_t scaled_encoder_value(std::int32_t value, float multi);

class TRequestBindings {
public:
    // The requests that are not deleted and have extra configuration; the
    // ENCODER requests with the encoder ids their compile registered.
    void build(const std::vector<Treqhard>& requests, const TLinkPort& links);
    void clear();

    // After "OnInputChange": INPUT requests on that input of that board.
    void input_changed(const TBindingTargets& t, std::string_view board, int input,
                       char value) const;
    // After "OnEncoderChange": ENCODER requests of that encoder.
    void encoder_changed(const TBindingTargets& t, std::int32_t id, std::int32_t value) const;
    // After "OnIOCPChange" (connection 1..9) and "OnIOCPServerChange"
    // (connection 10): OUTPUT and DISPLAY requests bound to that offset.
    void iocp_changed(const TBindingTargets& t, std::int32_t connection, std::int32_t offset,
                      std::int32_t value) const;
    // After "OnIFLYChange": OUTPUT and DISPLAY requests bound to that variable.
    void ifly_changed(const TBindingTargets& t, std::int32_t variable, const Variant& value) const;
    // After "OnIOCPConnect": the client reports the offsets its OUTPUT and
    // DISPLAY requests are bound to.
    void iocp_connected(const TBindingTargets& t, std::int32_t client) const;

private:
    struct TIocpTarget {
        bool bound = false;
        std::int32_t connection = 0;
        std::int32_t offset = 0;
    };
    struct TInputBinding {
        std::string board; // trimmed
        int input = 0;
        std::int32_t ifly_command = -1;
        TIocpTarget iocp;
        std::int32_t on_value = 0, off_value = 0;
        bool send_on = false, send_off = false;
    };
    struct TEncoderBinding {
        std::int32_t encoder = -1;
        float multi = 0;
        std::int32_t ifly_command = -1;
        TIocpTarget iocp;
    };
    // An OUTPUT or DISPLAY request.
    struct TValueBinding {
        bool display = false;
        std::string board;
        std::uint8_t output_or_first = 0; // out1 or display
        std::int32_t on_value = 0, off_value = 0;
        std::string fill;
        std::uint8_t digits = 0, dp = 0;
        TIocpTarget iocp;
        std::int32_t ifly_variable = -1;
    };

    static void write_iocp(const TBindingTargets& t, const TIocpTarget& iocp, std::int32_t value);
    static void show_value(const TBindingTargets& t, const TValueBinding& b, std::int32_t value,
                           const Variant* ifly_value);

    std::vector<TInputBinding> inputs_;
    std::vector<TEncoderBinding> encoders_;
    std::vector<TValueBinding> values_;
};

} // namespace veltran
