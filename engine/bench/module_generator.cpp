#include "engine/bench/module_generator.h"

namespace veltran {
namespace {

// One procedure of 40 lines; n makes its names unique.
std::string procedure(int n) {
    const std::string id = std::to_string(n);
    return "{ Handler " + id +
           ": reacts to board inputs and updates the displays }\r\n"
           "procedure Handler" +
           id +
           "(sn: string; input, value: Integer; var total: Integer);\r\n"
           "var i, j: Integer;\r\n"
           "    name: String = 'Handler " +
           id +
           "';\r\n"
           "    limits: array[1..3, 0..1] of Integer;\r\n"
           "begin\r\n"
           "  // the switch first\r\n"
           "  if (value = 1) and not (input > 10) then\r\n"
           "    WriteOut(sn, input, 1)\r\n"
           "  else if value <> 0 then\r\n"
           "    WriteOut(sn, input, 0);\r\n"
           "  total := total + value * 2 - (input div 3) mod 7;\r\n"
           "  for i := 0 to 15 do\r\n"
           "  begin\r\n"
           "    j := i shl 1 + $FF and i;\r\n"
           "    if j >= 100 then break;\r\n"
           "    total := total + j\r\n"
           "  end;\r\n"
           "  case input of\r\n"
           "    1, 2: WriteDisplay(sn, 1, 'ONE' + #32 + IntToStr(total));\r\n"
           "    3..5: WriteDisplay(sn, 2, 'It''s ' + name);\r\n"
           "    6: begin total := 0; exit end\r\n"
           "  else\r\n"
           "    total := -total\r\n"
           "  end;\r\n"
           "  while total > 1000 do total := total - 1000;\r\n"
           "  repeat\r\n"
           "    i := i - 1;\r\n"
           "    limits[1, 0] := limits[1, 1] + i * 3.5e0\r\n"
           "  until (i <= 0) or (total < -50);\r\n"
           "  try\r\n"
           "    WriteIocp(1, 100 + input, total)\r\n"
           "  except\r\n"
           "    ShowMessage('IOCP write failed: ' + IntToStr(input))\r\n"
           "  end;\r\n"
           "  (* keep the last value *)\r\n"
           "  with Boards[sn] do Value := total;\r\n"
           "  SetTimer(2, 500, True)\r\n"
           "end;\r\n"
           "\r\n";
}

} // namespace

std::string GenerateModule(int lines) {
    std::string text = "program Generated;\r\n"
                       "const MaxTotal = 5000;\r\n"
                       "var counter: Integer = 0;\r\n\r\n";
    constexpr int lines_per_procedure = 40;
    const int procedures = lines / lines_per_procedure;
    for (int n = 0; n < procedures; ++n)
        text += procedure(n);
    text += "begin\r\n  counter := 0;\r\n  Handler0('TALUX100001', 1, 1, counter)\r\nend.\r\n";
    return text;
}

} // namespace veltran
