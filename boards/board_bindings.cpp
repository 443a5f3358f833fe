#include "boards/board_bindings.h"

#include "boards/board_manager.h"

#include <string>

namespace veltran {
namespace {

struct TIflySymbol {
    std::string_view value;
    std::string_view text;
    std::uint8_t dp;
};

constexpr TIflySymbol ifly_symbols[] = {{"14", "", 1}, {"13", "+", 0}, {"12", "-", 0}};

} // namespace

void drive_output(TUSBGEST& boards, std::string_view code, const TOutputBinding& binding,
                  std::int32_t value) {
    if (value == binding.on_value) boards.envio_salida(code, binding.board, binding.output, 1);
    if (value == binding.off_value) boards.envio_salida(code, binding.board, binding.output, 0);
}

void show_iocp_value(TUSBGEST& boards, std::string_view code, const TDisplayBinding& binding,
                     std::int32_t value) {
    boards.envio_displays(code, binding.board, binding.first, std::to_string(value), binding.fill,
                          binding.digits, binding.dp);
}

void show_ifly_value(TUSBGEST& boards, std::string_view code, const TDisplayBinding& binding,
                     std::string_view value) {
    for (const TIflySymbol& symbol : ifly_symbols)
        if (value == symbol.value)
            return boards.envio_displays(code, binding.board, binding.first, symbol.text, " ",
                                         binding.digits, symbol.dp);
    boards.envio_displays(code, binding.board, binding.first, value, binding.fill, binding.digits,
                          binding.dp);
}

} // namespace veltran
