#pragma once
// The board manager: one per process. It owns the HID controller and the
// board list (one record per board found, keyed by serial), lists the boards
// and their expansions in the hardware tree, decodes every input report into
// script events, and carries out the board operations behind the built-in
// procedures and the hardware requests. Everything runs on the GUI thread.

#include "boards/board_events.h"
#include "boards/board_record.h"
#include "boards/hid_controller.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltran {

class TShell;
class THardwareTree;
class TTreeNode;

class TUSBGEST {
public:
    // Builds the board list at once; the controller's start-up notification
    // rebuilds and lists it once the event loop runs.
    TUSBGEST(TShell& shell, std::unique_ptr<THidController> controller);
    ~TUSBGEST();
    TUSBGEST(const TUSBGEST&) = delete;
    TUSBGEST& operator=(const TUSBGEST&) = delete;

    // Handed over by the main window after construction.
    THardwareTree* t_hardware = nullptr;
    void set_events(TBoardEvents* events) { events_ = events; }
    void set_windows(TBoardWindows* windows) { windows_ = windows; }
    // Runs at the end of every listing (the editor shows its start page).
    std::function<void()> on_listed;

    THidController& controller() { return *controller_; }
    // The project started or stopped running.
    void project_started() { controller_->run_started(); }
    void project_stopped() { controller_->run_stopped(); }

    // The board list, in enumeration order.
    std::size_t board_count() const { return lista_tarjetas_.size(); }
    ThidComponent& board(std::size_t index) { return *lista_tarjetas_[index]; }

    // ---- devices and the list
    void DeviceChange();
    void SendBuffer(const std::shared_ptr<THidDevice>& device, const TReportBuffer& buff);

    // ---- identity and listing
    // Index of the board whose serial is the whole of `sn` (any case), or -1.
    int get_id_sn(std::string_view sn) const;
    std::string GetVersion(std::string_view sn);
    void listar_tarjetas();
    void pedir_configuracion(int index);
    void listar_expansiones(ThidComponent& board);
    void Syncro();

    // ---- board operations; `code` is the calling module's title. A
    // 16- or 17-character name with a non-numeric address throws
    // TBoardNameError (the script call fails).
    void envio_salida(std::string_view code, std::string_view sn, std::uint8_t output,
                      std::uint8_t valor);
    void envio_displays(std::string_view code, std::string_view sn, std::uint8_t inicio,
                        std::string_view valor, std::string_view caracter, std::uint8_t ndigitos,
                        std::uint8_t dc);
    void envio_intensidad_displays(std::string_view code, std::string_view sn, std::uint8_t bloque,
                                   std::uint8_t valor);
    void envio_servo(std::string_view code, std::string_view sn, std::uint8_t serv_,
                     std::uint8_t valor);
    void envio_ene_servo(std::string_view code, std::string_view sn, std::uint8_t serv_,
                         std::uint8_t valor, std::uint8_t ini_val);
    void envio_ene_ejes_joy(std::string_view code, std::string_view sn, std::uint8_t eje,
                            std::uint8_t valor, std::int32_t redondeo);
    std::int32_t devolver_adc(std::string_view sn, std::int32_t nadc) const;

    // ---- report decoding
    // One input report (data bytes after the report ID) of the board at
    // `index`, decoded as if its device had handed it over.
    void decode_report(std::size_t index, std::span<const std::uint8_t> data);

private:
    struct TDeviceRecord {
        std::shared_ptr<THidDevice> device;
        std::shared_ptr<ThidComponent> board;
    };

    bool enumerar_tarjeta(const THidDeviceInfo& info, int index);
    void recibir_datos(THidDevice& device, std::span<const std::uint8_t> data);
    void take_report(std::shared_ptr<ThidComponent> board, std::span<const std::uint8_t> data);
    // Decodes the report in the record's `lectura64`.
    void procesar_lectura(ThidComponent& board);
    void error_datos(THidDevice& device, int error);
    void discard_list();
    std::shared_ptr<ThidComponent> record_of(const THidDevice& device) const;
    ThidComponent* find_board(std::string_view key) const;
    TTreeNode* hardware_node() const;
    void board_error(std::string_view message, std::string_view code, std::string_view sn);
    ThidComponent* numbered_board(std::string_view code, std::string_view sn, int number,
                                  std::string_view message);

    void procesar_displays(ThidComponent& board, int address);
    void send_adc_enable(ThidComponent& board);

    void decode_inputs(ThidComponent& board, const TReportData& d);
    void decode_main_adcs(ThidComponent& board, const TReportData& d);
    void decode_expansion_adcs(ThidComponent& board, const TReportData& d, int address);
    void decode_configuration(ThidComponent& board, const TReportData& d);
    void decode_board_axes(ThidComponent& board, const TReportData& d);
    void decode_group(ThidComponent& board, std::string& stored, const TReportData& d,
                      std::size_t first, int kind);
    void comparar_entradas(std::string_view old, std::string_view nuevo, int kind,
                           const ThidComponent& board);
    void cambio_adc(std::int32_t old, std::int32_t nuevo, int axis, ThidComponent& board);
    void update_version(ThidComponent& board, std::uint8_t major, std::uint8_t minor);

    TShell& shell_;
    std::unique_ptr<THidController> controller_;
    std::vector<std::shared_ptr<ThidComponent>> lista_tarjetas_;
    // Every checked-out device with the record its reports go to (a second
    // device with a listed serial reports into the first one's record).
    std::vector<TDeviceRecord> devices_;
    TTreeNode* nodo_hardware_ = nullptr;
    TBoardEvents* events_ = nullptr;
    TBoardWindows* windows_ = nullptr;
};

} // namespace veltran
