#pragma once
// The board rows of the built-in procedures: their declarations exactly as
// they are registered, their place in the table of 38, the name the handler
// dispatches on, and the text transformation of WriteDisplaysSwap. The
// handler converts the script's arguments and calls the board manager:
//
//   WriteOut(board, output, value)                 envio_salida
//   WriteDisplays(board, first, text, fill, digits, dp)  envio_displays
//   WriteDisplaysSwap(...)                         envio_displays with swap_display_text
//   SetDisplayIntensity(board, block, value)       envio_intensidad_displays
//   EnableADCChannel(board, axis, enable, step)    envio_ene_ejes_joy
//   ReadAdc(board, axis) -> integer                devolver_adc
//   EnableServo(board, servo, enable, initial)     envio_ene_servo
//   WriteServo(board, servo, value)                envio_servo
//   Sync                                           Syncro

#include <array>
#include <string>
#include <string_view>

namespace veltran {

struct TBoardProcedure {
    int number; // 1-based place in the registration order of the 38
    std::string_view declaration;
    std::string_view dispatch_name;
};

inline constexpr std::array<TBoardProcedure, 9> board_procedures{{
    {16, "procedure WriteDisplays(i:string;ii:byte;iii,iv:string;v,vi:byte)", "WRITEDISPLAYS"},
    {17, "procedure WriteDisplaysSwap(i:string;ii:byte;iii,iv:string;v,vi:byte)",
     "WRITEDISPLAYSSWAP"},
    {18, "procedure SetDisplayIntensity(i:string;ii,iii:byte)", "SETDISPLAYINTENSITY"},
    {19, "procedure WriteOut(i:string;ii,iii:byte)", "WRITEOUT"},
    {24, "procedure Sync", "SYNC"},
    {28, "procedure EnableADCChannel(i:string;ii,iiii:byte;iii:integer)", "ENABLEADCCHANNEL"},
    {34, "function ReadAdc(i:string;ii:integer):integer)", "READADC"},
    {35, "procedure EnableServo(i:string;ii,iii,iv:byte)", "ENABLESERVO"},
    {36, "procedure WriteServo(i:string;ii,iii:byte)", "WRITESERVO"},
}};

// WriteDisplaysSwap's text: `text` reversed, then `fill` appended
// (digits - length of text) times (none when that is 0 or less).
std::string swap_display_text(std::string_view text, std::string_view fill, int digits);

} // namespace veltran
