#include "boards/board_record.h"

#include "boards/board_names.h"

namespace veltran {

std::shared_ptr<ThidComponent> make_board_record(std::shared_ptr<THidDevice> device,
                                                 std::string serial, const TKindFlags& flags) {
    auto board = std::make_shared<ThidComponent>();
    board->Hiddev = std::move(device);
    board->sn = std::move(serial);
    board->esjoy = flags.esjoy;
    board->es_adcser = flags.es_adcser;
    board->es_boot = flags.es_boot;
    board->es_main = flags.es_main;
    for (int a = 0; a <= expansion_count; ++a)
        board->nombres[static_cast<std::size_t>(a)] = expansion_name(board->sn, a);
    return board;
}

} // namespace veltran
