#pragma once
// A module's hardware request: a named binding of the script to an input,
// output, encoder or display of a board, optionally tied to an IOCP offset or
// an iFly name.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veltran {

class TTreeNode;

enum TRequestType : std::uint8_t {
    req_none = 0,
    req_encoder = 1,
    req_input = 2,
    req_output = 3,
    req_display = 4,
};

// "ENCODER" 1, "INPUT" 2, "OUTPUT" 3, "DISPLAY" 4, anything else 0.
TRequestType request_type_of(std::string_view text);
std::string_view request_type_text(TRequestType type);

struct Treqhard {
    std::string tipo_text;
    std::string name;
    std::uint8_t tipo = req_none;
    std::string board;
    std::uint8_t in1 = 0;
    std::uint8_t in2 = 0;
    std::uint8_t display = 0;
    std::uint8_t out1 = 0;
    TTreeNode* nodo_request = nullptr;
    bool borrado = false;
    bool extra = false;
    bool iocp_sel = false;
    std::int32_t iocp_conn = 0;
    std::int32_t iocp_offset = 0;
    bool ifly_sel = false;
    std::string ifly_offset;
    std::int32_t enc_id = 0;
    std::int32_t enc_min = 0;
    std::int32_t enc_max = 0;
    std::uint8_t enc_recursive = 0;
    std::uint8_t enc_half = 0;
    std::int32_t enc_init = 0;
    std::int32_t enc_speed = 0;
    float enc_multi = 0;
    std::int32_t in_on = 0;
    std::int32_t in_off = 0;
    std::int32_t in_push_on = 0;
    std::int32_t in_push_off = 0;
    std::int32_t out_on = 0;
    std::int32_t out_off = 0;
    std::int32_t dis_ndigitos = 0;
    std::string dis_char;
    std::int32_t dis_dp = 0;

    // A request of no known type (from a foreign file) keeps its attributes
    // as read, so that saving the project writes it back unchanged.
    std::vector<std::pair<std::string, std::string>> foreign_attributes;
};

} // namespace veltran
