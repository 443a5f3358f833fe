#include "boards/board_manager.h"

#include "boards/board_kinds.h"
#include "boards/board_names.h"
#include "boards/report_layout.h"
#include "engine/text.h"
#include "shell/log_channel.h"
#include "shell/shell_state.h"
#include "shell/tree_model.h"

#include <algorithm>
#include <cstring>

namespace veltran {
namespace {

constexpr int device_thread_sleep_ms = 100;

} // namespace

TUSBGEST::TUSBGEST(TShell& shell, std::unique_ptr<THidController> controller)
    : shell_(shell), controller_(std::move(controller)) {
    controller_->set_device_thread_sleep_time(device_thread_sleep_ms);
    controller_->set_data_handler(
        [this](THidDevice& device, std::uint8_t, std::span<const std::uint8_t> data) {
            recibir_datos(device, data);
        });
    controller_->set_error_handler(
        [this](THidDevice& device, int error) { error_datos(device, error); });
    controller_->set_enumeration_handler(
        [this](const THidDeviceInfo& info, int index) { return enumerar_tarjeta(info, index); });
    controller_->set_device_change_handler([this] { DeviceChange(); });
}

TUSBGEST::~TUSBGEST() {
    discard_list();
    controller_.reset();
}

// ---- devices and the list

void TUSBGEST::discard_list() {
    for (const TDeviceRecord& d : devices_) {
        d.board->listed = false;
        controller_->check_in(d.device);
    }
    devices_.clear();
    lista_tarjetas_.clear();
}

void TUSBGEST::DeviceChange() {
    discard_list();
    controller_->enumerate();
    listar_tarjetas();
}

bool TUSBGEST::enumerar_tarjeta(const THidDeviceInfo& info, int index) {
    const std::optional<TKindFlags> flags = kind_flags(info.vendor_id, info.product_id);
    if (!flags) return true;
    std::shared_ptr<THidDevice> device = controller_->check_out(index);
    if (!device) return true;
    const int first = get_id_sn(device->serial());
    if (first >= 0) {
        devices_.push_back({device, lista_tarjetas_[static_cast<std::size_t>(first)]});
        return true;
    }
    auto board = make_board_record(device, device->serial(), *flags);
    board->listed = true;
    lista_tarjetas_.push_back(board);
    devices_.push_back({std::move(device), std::move(board)});
    return true;
}

std::shared_ptr<ThidComponent> TUSBGEST::record_of(const THidDevice& device) const {
    for (const TDeviceRecord& d : devices_)
        if (d.device.get() == &device) return d.board;
    return nullptr;
}

void TUSBGEST::recibir_datos(THidDevice& device, std::span<const std::uint8_t> data) {
    std::shared_ptr<ThidComponent> board = record_of(device);
    if (!board) {
        shell_.add_log(log_error_boards, "Board not found \"" + device.serial() + "\"");
        return;
    }
    take_report(std::move(board), data);
}

void TUSBGEST::decode_report(std::size_t index, std::span<const std::uint8_t> data) {
    if (index < lista_tarjetas_.size()) take_report(lista_tarjetas_[index], data);
}

// The record is held for the whole decoding: a script event may let a device
// change replace the list before the decoding is done.
void TUSBGEST::take_report(std::shared_ptr<ThidComponent> board,
                           std::span<const std::uint8_t> data) {
    if (data.size() < report_data_size) {
        shell_.add_debug("DataError=" + board->sn + " short report of " +
                         std::to_string(data.size()) + " bytes");
        return;
    }
    std::memcpy(board->lectura64.data(), data.data(), report_data_size);
    if (board->es_boot) {
        if (windows_) windows_->bootloader_report(*board);
        return;
    }
    procesar_lectura(*board);
}

void TUSBGEST::error_datos(THidDevice& device, int error) {
    shell_.add_debug("DataError=" + device.serial() + " error=" + std::to_string(error));
}

void TUSBGEST::SendBuffer(const std::shared_ptr<THidDevice>& device, const TReportBuffer& buff) {
    if (!device) return;
    const TReportBuffer copy = buff;
    device->write(copy.data(), std::min(device->output_report_length(), copy.size()));
}

// ---- identity and listing

ThidComponent* TUSBGEST::find_board(std::string_view key) const {
    for (const auto& board : lista_tarjetas_)
        if (same_text_ignoring_case(board->sn, key)) return board.get();
    return nullptr;
}

int TUSBGEST::get_id_sn(std::string_view sn) const {
    for (std::size_t i = 0; i < lista_tarjetas_.size(); ++i)
        if (same_text_ignoring_case(lista_tarjetas_[i]->sn, sn)) return static_cast<int>(i);
    return -1;
}

std::string TUSBGEST::GetVersion(std::string_view sn) {
    const int index = get_id_sn(sn);
    if (index >= 0) return lista_tarjetas_[static_cast<std::size_t>(index)]->version;
    shell_.add_log(log_error_boards, "Board not found \"" + std::string(sn) + "\"");
    return {};
}

// The "Hardware" node, as long as it is still in the tree.
TTreeNode* TUSBGEST::hardware_node() const {
    if (!t_hardware || !nodo_hardware_) return nullptr;
    for (const auto& node : t_hardware->root().children())
        if (node.get() == nodo_hardware_) return nodo_hardware_;
    return nullptr;
}

void TUSBGEST::listar_tarjetas() {
    if (!t_hardware) return;
    nodo_hardware_ = hardware_node();
    if (nodo_hardware_) nodo_hardware_->delete_children();
    for (std::size_t i = 0; i < lista_tarjetas_.size(); ++i) {
        ThidComponent& board = *lista_tarjetas_[i];
        if (!nodo_hardware_) nodo_hardware_ = t_hardware->add("Hardware", tree_image::hardware);
        const std::string serial = board.Hiddev->serial();
        const TSerialKind* kind = serial_kind(serial);
        if (!kind) continue;
        if (kind->product == product_id::main) pedir_configuracion(static_cast<int>(i));
        board.padre = nodo_hardware_->insert_child(0, serial, kind->image);
    }
    if (nodo_hardware_) nodo_hardware_->expanded = true;
    if (on_listed) on_listed();
}

void TUSBGEST::pedir_configuracion(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= lista_tarjetas_.size()) return;
    ThidComponent& board = *lista_tarjetas_[static_cast<std::size_t>(index)];
    board.escritura64[1] = command::configuration;
    board.escritura64[2] = 0;
    SendBuffer(board.Hiddev, board.escritura64);
}

void TUSBGEST::listar_expansiones(ThidComponent& board) {
    if (board.listed && board.padre) {
        board.padre->delete_children();
        for (int a = 0; a < expansion_count; ++a) {
            if (board.talux_exp[static_cast<std::size_t>(a)].activo != 1) continue;
            const TExpansionKind kind = expansion_kind(a);
            board.nodo = board.padre->add_child(
                std::string(slot_name(board, a)) + std::string(kind.suffix), kind.image);
        }
        board.padre->expanded = true;
    }
    board.leido_conf = false;
}

void TUSBGEST::Syncro() {
    const std::vector<std::shared_ptr<ThidComponent>> boards = lista_tarjetas_;
    const auto announce = [this](const ThidComponent& board, int address) {
        const std::string inputs = board.talux_exp[static_cast<std::size_t>(address)].entradas;
        comparar_entradas("", inputs, address, board);
    };
    for (const auto& board : boards) {
        if (board->esjoy || board->es_adcser) continue;
        announce(*board, own_slot);
        for (int a : {0, 1, 2, 3, 4, 10, 11, 12, 13, 14})
            if (board->talux_exp[static_cast<std::size_t>(a)].activo == 1) announce(*board, a);
    }
}

} // namespace veltran
