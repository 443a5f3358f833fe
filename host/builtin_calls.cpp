// The built-in procedures as the module host carries them out. The engine
// hands the arguments over as the script gave them; each is converted to the
// integer, byte, text or boolean the procedure needs, and one that does not
// convert fails the script call with the value type's conversion error.
#include "boards/board_manager.h"
#include "boards/board_names.h"
#include "engine/codepage.h"
#include "engine/script_exception.h"
#include "host/bit_functions.h"
#include "host/debug_procedure.h"
#include "host/digit_functions.h"
#include "host/encoders.h"
#include "host/ini_procedures.h"
#include "host/link_port.h"
#include "host/module_host.h"
#include "host/script_timers.h"

namespace veltran {
namespace {

class TArguments {
public:
    explicit TArguments(std::span<Variant> params) : params_(params) {}

    const Variant& at(std::size_t i) const { return i < params_.size() ? params_[i] : empty_; }
    std::int32_t integer(std::size_t i) const { return at(i).to_int(); }
    std::int64_t cardinal(std::size_t i) const { return at(i).to_int64(); }
    std::uint8_t byte(std::size_t i) const { return static_cast<std::uint8_t>(at(i).to_int()); }
    bool boolean(std::size_t i) const { return at(i).to_bool(); }
    float single(std::size_t i) const { return static_cast<float>(at(i).to_double()); }
    // Board names and titles are UTF-8 in the board layer's log lines.
    std::string name(std::size_t i) const { return at(i).to_utf8(); }
    // Script text in the engine's 8-bit code page: display characters, ini texts.
    std::string ansi(std::size_t i) const {
        const Variant& v = at(i);
        return v.vtype() == varString ? std::string(v.ansi_view()) : utf8_to_cp1252(v.to_utf8());
    }

private:
    std::span<Variant> params_;
    inline static const Variant empty_;
};

// RegEncoder and RegEncoderExt: board, in1, in2, min, max, recursive, init,
// (half or type), speed.
TEncoderSetup encoder_setup(const TArguments& a, const std::string& board, TModuleOwner owner) {
    TEncoderSetup s;
    s.sn = board;
    s.in1 = a.integer(1);
    s.in2 = a.integer(2);
    s.min = a.integer(3);
    s.max = a.integer(4);
    s.recursive = a.integer(5);
    s.init = a.integer(6);
    s.speed = a.single(8);
    s.owner = owner;
    return s;
}

} // namespace

Variant TCOMPILADORFS::call_builtin(TBuiltin code, std::span<Variant> params) {
    switch (code) {
    case TBuiltin::write_displays:
    case TBuiltin::write_displays_swap:
    case TBuiltin::set_display_intensity:
    case TBuiltin::write_out:
    case TBuiltin::sync:
    case TBuiltin::enable_adc_channel:
    case TBuiltin::read_adc:
    case TBuiltin::enable_servo:
    case TBuiltin::write_servo: return call_board(code, params);
    case TBuiltin::create_timer:
    case TBuiltin::set_timer:
    case TBuiltin::get_timer:
    case TBuiltin::reg_encoder:
    case TBuiltin::reg_encoder_ext:
    case TBuiltin::get_encoder:
    case TBuiltin::set_enc_value: return call_timer_or_encoder(code, params);
    case TBuiltin::write_iocp:
    case TBuiltin::reg_iocp_offset:
    case TBuiltin::read_iocp:
    case TBuiltin::write_iocp_key:
    case TBuiltin::init_offset_fsuipc:
    case TBuiltin::write_fsuipc:
    case TBuiltin::read_fsuipc:
    case TBuiltin::write_ifly:
    case TBuiltin::reg_ifly_offset:
    case TBuiltin::read_ifly:
    case TBuiltin::write_iocp_server:
    case TBuiltin::sendkey: return call_link(code, params);
    default: return call_text_or_bits(code, params);
    }
}

Variant TCOMPILADORFS::call_board(TBuiltin code, std::span<Variant> params) try {
    const TArguments a(params);
    TUSBGEST& boards = services_.boards;
    switch (code) {
    case TBuiltin::write_displays:
        boards.envio_displays(name_code, a.name(0), a.byte(1), a.ansi(2), a.ansi(3), a.byte(4),
                              a.byte(5));
        break;
    case TBuiltin::write_displays_swap:
        boards.envio_displays(name_code, a.name(0), a.byte(1),
                              swap_display_text(a.ansi(2), a.ansi(3), a.byte(4)), a.ansi(3),
                              a.byte(4), a.byte(5));
        break;
    case TBuiltin::set_display_intensity:
        boards.envio_intensidad_displays(name_code, a.name(0), a.byte(1), a.byte(2));
        break;
    case TBuiltin::write_out:
        boards.envio_salida(name_code, a.name(0), a.byte(1), a.byte(2));
        break;
    case TBuiltin::sync: boards.Syncro(); break;
    case TBuiltin::enable_adc_channel:
        boards.envio_ene_ejes_joy(name_code, a.name(0), a.byte(1), a.byte(2), a.integer(3));
        break;
    case TBuiltin::read_adc: return Variant(boards.devolver_adc(a.name(0), a.integer(1)));
    case TBuiltin::enable_servo:
        boards.envio_ene_servo(name_code, a.name(0), a.byte(1), a.byte(2), a.byte(3));
        break;
    case TBuiltin::write_servo:
        boards.envio_servo(name_code, a.name(0), a.byte(1), a.byte(2));
        break;
    default: break;
    }
    return Variant();
} catch (const TBoardNameError& e) {
    // A board name whose expansion address is no number.
    throw TfsException("EConvertError", e.what());
}

Variant TCOMPILADORFS::call_timer_or_encoder(TBuiltin code, std::span<Variant> params) {
    const TArguments a(params);
    TScriptTimers& timers = services_.timers;
    TEncoderTable& encoders = services_.encoders;
    switch (code) {
    case TBuiltin::create_timer: timers.create_timer(a.cardinal(0), a.cardinal(1), owner_); break;
    case TBuiltin::set_timer: timers.set_timer(a.cardinal(0), a.boolean(1)); break;
    case TBuiltin::get_timer:
        if (const std::optional<bool> on = timers.get_timer(a.cardinal(0))) return Variant(*on);
        break;
    case TBuiltin::reg_encoder: {
        const std::string board = a.name(0);
        return Variant(encoders.reg_encoder(encoder_setup(a, board, owner_), a.boolean(7)));
    }
    case TBuiltin::reg_encoder_ext: {
        const std::string board = a.name(0);
        return Variant(encoders.reg_encoder_ext(encoder_setup(a, board, owner_), a.integer(7)));
    }
    case TBuiltin::get_encoder: return Variant(encoders.get_encoder(a.integer(0)));
    case TBuiltin::set_enc_value: encoders.set_enc_value(a.integer(0), a.integer(1)); break;
    default: break;
    }
    return Variant();
}

Variant TCOMPILADORFS::call_link(TBuiltin code, std::span<Variant> params) {
    const TArguments a(params);
    TLinkPort& links = services_.links;
    switch (code) {
    case TBuiltin::write_iocp:
        links.write_iocp_client(a.integer(0), a.integer(1), a.integer(2));
        break;
    case TBuiltin::reg_iocp_offset: links.register_iocp_offset(a.integer(0), a.integer(1)); break;
    case TBuiltin::write_iocp_server: links.write_iocp_server(a.integer(0), a.integer(1)); break;
    case TBuiltin::write_ifly: links.send_ifly_command(a.integer(0), a.integer(1)); break;
    default: break; // the links layer carries out the others
    }
    return Variant();
}

Variant TCOMPILADORFS::call_text_or_bits(TBuiltin code, std::span<Variant> params) {
    const TArguments a(params);
    const TIniCaller ini{services_.shell, name_code, filename};
    switch (code) {
    case TBuiltin::debug: script_debug(services_.shell, name_code, a.ansi(0)); break;
    case TBuiltin::test_bit: return Variant(test_bit(a.integer(0), a.integer(1), a.integer(2)));
    case TBuiltin::set_bit:
        return Variant(set_bit(a.integer(0), a.integer(1), a.integer(2), a.integer(3)));
    case TBuiltin::change_bit: return Variant(change_bit(a.integer(0), a.integer(1), a.integer(2)));
    case TBuiltin::swap_dig:
        return Variant::from_ansi(swap_dig(a.ansi(0), a.integer(1), a.ansi(2)));
    case TBuiltin::read_ini_file:
        if (const auto value = read_ini_file(ini, a.ansi(0), a.ansi(1), a.ansi(2)))
            return Variant::from_ansi(*value);
        return Variant(std::int32_t{0});
    case TBuiltin::write_ini_file:
        write_ini_file(ini, a.ansi(0), a.ansi(1), a.ansi(2), a.ansi(3));
        break;
    case TBuiltin::bcd_to_int: return Variant::of_integer(varWord, bcd_to_int(a.integer(0)));
    case TBuiltin::int_to_bcd: return Variant(int_to_bcd(a.integer(0)));
    default: break; // SetBoard has no handler
    }
    return Variant();
}

} // namespace veltran
