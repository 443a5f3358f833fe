#pragma once
// The board side of the hardware requests: what an OUTPUT or DISPLAY request
// bound to IOCP or iFly does with a value that arrived for it. The module
// host finds the requests that match an event and calls these.

#include <cstdint>
#include <string_view>

namespace veltran {

class TUSBGEST;

struct TOutputBinding {
    std::string_view board;
    std::uint8_t output = 0;    // out1
    std::int32_t on_value = 0;  // out_on
    std::int32_t off_value = 0; // out_off
};

struct TDisplayBinding {
    std::string_view board;
    std::uint8_t first = 0;  // display
    std::string_view fill;   // dis_char
    std::uint8_t digits = 0; // dis_ndigitos
    std::uint8_t dp = 0;     // dis_dp
};

// The on-value switches the output on, then the off-value switches it off;
// both tests are made, so equal values switch on and at once off.
void drive_output(TUSBGEST& boards, std::string_view code, const TOutputBinding& binding,
                  std::int32_t value);

// An IOCP value shown in decimal.
void show_iocp_value(TUSBGEST& boards, std::string_view code, const TDisplayBinding& binding,
                     std::int32_t value);

// An iFly variable as its text: "14" shows nothing with the point on the
// first digit, "13" a "+", "12" a "-" (these three with a blank fill and
// no other point), anything else its text with the request's fill and point.
void show_ifly_value(TUSBGEST& boards, std::string_view code, const TDisplayBinding& binding,
                     std::string_view value);

} // namespace veltran
