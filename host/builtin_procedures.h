#pragma once
// The 38 built-in procedures every module gets, in their registration order,
// each with the declaration the engine reads and the code its handler
// dispatches on. The declarations are exact, oddities included (two blanks
// after some "function" keywords, a stray ")" after some result types,
// "procedure GetTimer" with a result type); the board rows are the board
// layer's own.

#include "boards/board_procedures.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace veltran {

enum class TBuiltin : std::uint8_t {
    debug,
    write_iocp,
    reg_iocp_offset,
    read_iocp,
    write_iocp_key,
    init_offset_fsuipc,
    write_fsuipc,
    read_fsuipc,
    create_timer,
    set_timer,
    get_timer,
    reg_encoder,
    reg_encoder_ext,
    get_encoder,
    set_enc_value,
    write_displays,
    write_displays_swap,
    set_display_intensity,
    write_out,
    test_bit,
    set_bit,
    change_bit,
    set_board, // has no handler: the call gives an empty value
    sync,
    write_ifly,
    reg_ifly_offset,
    read_ifly,
    enable_adc_channel,
    write_iocp_server,
    swap_dig,
    read_ini_file,
    write_ini_file,
    sendkey,
    read_adc,
    enable_servo,
    write_servo,
    bcd_to_int,
    int_to_bcd,
};

struct TBuiltinProcedure {
    TBuiltin code;
    std::string_view declaration;
};

namespace detail {

// The board layer's declaration of the procedure at place `number` (1-based).
constexpr std::string_view board_declaration(int number) {
    for (const TBoardProcedure& p : board_procedures)
        if (p.number == number) return p.declaration;
    return {};
}

} // namespace detail

inline constexpr std::array<TBuiltinProcedure, 38> builtin_procedures{{
    {TBuiltin::debug, "procedure debug(s: String)"},
    {TBuiltin::write_iocp, "procedure WriteIocp(i,ii,iii:integer)"},
    {TBuiltin::reg_iocp_offset, "procedure RegIOCPOffset(i,ii:integer)"},
    {TBuiltin::read_iocp, "function  ReadIocp(i:byte;ii:integer):integer"},
    {TBuiltin::write_iocp_key, "procedure WriteIocpKey(i,ii,iii:integer)"},
    {TBuiltin::init_offset_fsuipc, "procedure InitOffsetFSUIPC(i,ii:integer)"},
    {TBuiltin::write_fsuipc, "procedure WriteFSUIPC(i,ii:cardinal;iii:variant)"},
    {TBuiltin::read_fsuipc, "function  ReadFSUIPC(i,ii:cardinal):variant"},
    {TBuiltin::create_timer, "procedure CreateTimer(i,ii:cardinal)"},
    {TBuiltin::set_timer, "procedure SetTimer(i:cardinal;ii:boolean)"},
    {TBuiltin::get_timer, "procedure GetTimer(i:cardinal):boolean"},
    {TBuiltin::reg_encoder, "function  RegEncoder(i:string;ii,iii,iv,v,vi,vii:integer;"
                            "viii:boolean;ix:single):integer"},
    {TBuiltin::reg_encoder_ext,
     "function  RegEncoderExt(i:string;ii,iii,iv,v,vi,vii,viii:integer;ix:single):integer"},
    {TBuiltin::get_encoder, "function  GetEncoder(i:integer):integer"},
    {TBuiltin::set_enc_value, "procedure SetEncValue(i:integer;ii:variant)"},
    {TBuiltin::write_displays, detail::board_declaration(16)},
    {TBuiltin::write_displays_swap, detail::board_declaration(17)},
    {TBuiltin::set_display_intensity, detail::board_declaration(18)},
    {TBuiltin::write_out, detail::board_declaration(19)},
    {TBuiltin::test_bit, "function  TestBit(i,ii,iii:integer):integer)"},
    {TBuiltin::set_bit, "function  SetBit(i,ii,iii,iv:integer):integer)"},
    {TBuiltin::change_bit, "function  ChangeBit(i,ii,iii:integer):integer)"},
    {TBuiltin::set_board, "function  SetBoard(i,ii:string):TReqHardware)"},
    {TBuiltin::sync, detail::board_declaration(24)},
    {TBuiltin::write_ifly, "procedure WriteIFLY(i,ii:integer)"},
    {TBuiltin::reg_ifly_offset, "procedure RegIFLYOffset(i:integer)"},
    {TBuiltin::read_ifly, "function  ReadIFLY(i:integer):variant"},
    {TBuiltin::enable_adc_channel, detail::board_declaration(28)},
    {TBuiltin::write_iocp_server, "procedure WriteIocpServer(i,ii:integer)"},
    {TBuiltin::swap_dig, "function SwapDig(i:string;ii:integer;iii:string):string)"},
    {TBuiltin::read_ini_file, "function ReadIniFile(i,ii,iii:string):variant)"},
    {TBuiltin::write_ini_file, "procedure WriteIniFile(i,ii,iii,iv:string)"},
    {TBuiltin::sendkey, "function sendkey(i,ii:string):string)"},
    {TBuiltin::read_adc, detail::board_declaration(34)},
    {TBuiltin::enable_servo, detail::board_declaration(35)},
    {TBuiltin::write_servo, detail::board_declaration(36)},
    {TBuiltin::bcd_to_int, "function BCDToInt(i:Integer):Word"},
    {TBuiltin::int_to_bcd, "function IntToBCD(i:Integer):Integer"},
}};

// The table is in code order, and every board row found its declaration.
constexpr bool builtin_table_is_complete() {
    for (std::size_t i = 0; i < builtin_procedures.size(); ++i)
        if (static_cast<std::size_t>(builtin_procedures[i].code) != i ||
            builtin_procedures[i].declaration.empty())
            return false;
    return true;
}
static_assert(builtin_table_is_complete());

} // namespace veltran
