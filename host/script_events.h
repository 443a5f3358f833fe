#pragma once
// The script events: the procedures a module may declare to hear from the
// boards, the encoders, the links and the timers. A host looks each one up
// once per compile and calls it by its number.

#include <array>
#include <cstdint>
#include <string_view>

namespace veltran {

enum class TScriptEvent : std::uint8_t {
    input_change,        // sn, input (byte), value ("0" or "1")
    input_change_all,    // sn, inputs
    adc_change,          // sn, nadc (byte), value
    encoder_change,      // id_encoder, value
    iocp_connect,        // socket
    iocp_connect_fail,   // socket
    iocp_connect_closed, // socket
    iocp_change,         // socket, offset, value
    iocp_change_syncro,  // socket, offset, value
    iocp_server_change,  // offset, value
    fsuipc_error,        // msg
    fsuipc_connect,      // msg
    fsuipc_disconnect,   // msg
    fsuipc_change,       // offset, value
    ifly_change,         // offset, value
    ifly_connect,
    ifly_disconnect,
    timer0, // OnTimer0 .. OnTimer9, no arguments
    timer9 = timer0 + 9,
};

inline constexpr std::size_t script_event_count =
    static_cast<std::size_t>(TScriptEvent::timer9) + 1;

inline constexpr std::array<std::string_view, script_event_count> script_event_names = {
    "OnInputChange",
    "OnInputChangeAll",
    "OnADCChange",
    "OnEncoderChange",
    "OnIOCPConnect",
    "OnIOCPConnectFail",
    "OnIOCPConnectClosed",
    "OnIOCPChange",
    "OnIOCPChangeSyncro",
    "OnIOCPServerChange",
    "OnFSUIPCError",
    "OnFSUIPCConnect",
    "OnFSUIPCDisConnect",
    "OnFSUIPCChange",
    "OnIFLYChange",
    "OnIFLYConnect",
    "OnIFLYDisConnect",
    "OnTimer0",
    "OnTimer1",
    "OnTimer2",
    "OnTimer3",
    "OnTimer4",
    "OnTimer5",
    "OnTimer6",
    "OnTimer7",
    "OnTimer8",
    "OnTimer9",
};

constexpr std::string_view script_event_name(TScriptEvent event) {
    return script_event_names[static_cast<std::size_t>(event)];
}

// The event of timer 0..9.
constexpr TScriptEvent timer_event(std::int64_t id) {
    return static_cast<TScriptEvent>(static_cast<std::int64_t>(TScriptEvent::timer0) + id);
}

} // namespace veltran
