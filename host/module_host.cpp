#include "host/module_host.h"

#include "engine/codepage.h"
#include "host/encoders.h"
#include "host/link_port.h"
#include "host/script_timers.h"
#include "shell/card_list.h"
#include "shell/connection_table.h"
#include "shell/log_channel.h"
#include "shell/module_table.h"
#include "shell/shell_state.h"

#include <exception>

namespace veltran {
namespace {

struct TNamedByte {
    std::string_view name;
    std::uint8_t value;
};

constexpr TNamedByte hardware_constants[] = {
    {"hInput", 1}, {"hOutput", 2}, {"hDigit", 3}, {"hAdc", 4}, {"hServo", 5}};

constexpr std::string_view main_block = "Main";

TModuleOwner next_owner() {
    static TModuleOwner last = 0;
    return ++last;
}

Variant byte_value(std::uint8_t value) {
    return Variant::of_integer(varByte, value);
}

// Request names and globals are the shell's UTF-8; the engine's names are 8-bit.
std::string script_name(std::string_view name) {
    return utf8_to_cp1252(name);
}

// Error in CODE "{title}", Error type="{message}", Position="{position}"
std::string error_line(std::string_view title, std::string_view message,
                       std::string_view position) {
    std::string line = "Error in CODE \"";
    line += title;
    line += "\", Error type=\"";
    line += message;
    line += "\", Position=\"";
    line += position;
    line += '"';
    return line;
}

} // namespace

TCOMPILADORFS::TCOMPILADORFS(THostServices& services) : services_(services), owner_(next_owner()) {
    fsScript1.SyntaxType = "PascalScript";
    // Only remembers where the script is, for the error line of a failed call.
    fsScript1.OnRunLine = [this](TfsScript&, const std::string&, const std::string& position) {
        position_ = &position;
    };
}

TCOMPILADORFS::~TCOMPILADORFS() {
    release_owned();
}

std::string& TCOMPILADORFS::editor_lines() {
    if (!pointed_ && !held_text_) held_text_ = Code_;
    return Code_;
}

void TCOMPILADORFS::point_at_editor() {
    pointed_ = true;
    held_text_.reset();
}

TBindingTargets TCOMPILADORFS::binding_targets() const {
    return {services_.shell, services_.boards, services_.links, services_.connections, name_code};
}

void TCOMPILADORFS::set_card(int image, std::string text) {
    if (!card) return;
    card->image = image;
    if (card->items.empty()) card->items.emplace_back();
    card->items[0] = std::move(text);
}

void TCOMPILADORFS::log_status(std::string_view status) {
    std::string line = "CODE=\"";
    line += name_code;
    line += "\", ";
    line += status;
    services_.shell.add_log(log_compiler, line);
}

void TCOMPILADORFS::log_compile_error(std::string_view message, std::string_view position) {
    services_.shell.add_log(log_error_code, error_line(name_code, message, position));
}

void TCOMPILADORFS::release_owned() {
    services_.encoders.free_owned(owner_);
    services_.timers.free_owned(owner_);
}

void TCOMPILADORFS::halt() {
    running_ = false;
    ++stops_;
    if (busy()) fsScript1.Terminate();
    release_owned();
}

void TCOMPILADORFS::Stop() {
    halt();
    set_card(card_image_idle, "Stop");
    log_status("Stop");
}

void TCOMPILADORFS::register_builtins() {
    for (const TBuiltinProcedure& p : builtin_procedures)
        fsScript1.AddMethod(std::string(p.declaration),
                            [this, code = p.code](void*, TfsClassVariable*, const std::string&,
                                                  std::span<Variant> params) {
                                return call_builtin(code, params);
                            });
}

void TCOMPILADORFS::register_requests() {
    for (std::size_t index = 0; index < requests.size(); ++index) {
        Treqhard& r = requests[index];
        if (r.borrado) continue;
        const std::string name = script_name(r.name);
        fsScript1.AddVariable(name, "integer", Variant(std::int32_t{0}));
        fsScript1.AddConst(name + "_board", "string", Variant::from_utf8(r.board));
        if (r.tipo == req_encoder || r.tipo == req_input)
            fsScript1.AddConst(name + "_in1", "byte", byte_value(r.in1));
        if (r.tipo == req_encoder) fsScript1.AddConst(name + "_in2", "byte", byte_value(r.in2));
        if (r.tipo == req_output) fsScript1.AddConst(name + "_out1", "byte", byte_value(r.out1));
        if (r.tipo == req_display)
            fsScript1.AddConst(name + "_display", "byte", byte_value(r.display));
        if (r.tipo == req_encoder && r.extra) register_request_encoder(r, index);
    }
}

void TCOMPILADORFS::register_request_encoder(Treqhard& r, std::size_t index) {
    TEncoderSetup setup;
    setup.sn = r.board;
    setup.in1 = r.in1;
    setup.in2 = r.in2;
    setup.request = static_cast<std::int32_t>(index);
    setup.code = id_code;
    setup.speed = static_cast<float>(r.enc_speed);
    setup.init = r.enc_init;
    setup.recursive = r.enc_recursive;
    setup.max = r.enc_max;
    setup.min = r.enc_min;
    setup.owner = owner_;
    r.enc_id = services_.encoders.reg_encoder(setup, r.enc_half == 1);
}

void TCOMPILADORFS::register_names() {
    fsScript1.AddVariable("Test_Hardware", "boolean", Variant(false));
    for (const Tglobales& g : services_.globals)
        fsScript1.AddVariable(script_name(g.name), "string", Variant::from_utf8(g.value));
    if (services_.connections.slot(ifly_slot).tipo != conn_ifly) return;
    const auto add_indexes = [this](std::span<const std::string_view> names) {
        for (std::size_t i = 0; i < names.size(); ++i)
            fsScript1.AddConst(std::string(names[i]), "integer",
                               Variant(static_cast<std::int32_t>(i)));
    };
    add_indexes(services_.links.ifly_command_names());
    add_indexes(services_.links.ifly_variable_names());
}

bool TCOMPILADORFS::prepare_and_compile() {
    try {
        fsScript1.Clear();
        fsScript1.Parent = fsGlobalUnit();
        fsScript1.SetLines(utf8_to_cp1252(text()));
        for (const TNamedByte& c : hardware_constants)
            fsScript1.AddConst(std::string(c.name), "byte", byte_value(c.value));
        register_builtins();
        register_requests();
        register_names();
        if (fsScript1.Compile()) return true;
        log_compile_error(fsScript1.ErrorMsg(), fsScript1.ErrorPos());
        set_card(card_image_error, "Error:" + fsScript1.ErrorMsg() + " " + fsScript1.ErrorPos());
    } catch (const std::exception& e) {
        log_compile_error(e.what(), "");
        set_card(card_image_error, std::string("Error:") + e.what() + " ");
    }
    return false;
}

void TCOMPILADORFS::find_event_procedures() {
    for (std::size_t i = 0; i < script_event_count; ++i)
        procedures_[i] = fsScript1.FindProc(script_event_names[i]);
}

void TCOMPILADORFS::compilar(int mode) {
    // The compiled program cannot go while one of its calls is on the stack.
    if (busy()) return log_compile_error("Cannot clear a running script", "");
    running_ = false;
    procedures_.fill(nullptr);
    bindings_.clear();
    if (!prepare_and_compile()) return;
    find_event_procedures();
    bindings_.build(requests, services_.links);
    if (mode == 0) {
        set_card(card_image_idle, "Compile OK.");
        log_status("Compile Sucess");
        return;
    }
    set_card(card_image_running, "Running");
    log_status("Running");
    const int stops = stops_;
    // A Stop while the main block ran (from inside one of its log calls) stands.
    if (run_main_block() && stops == stops_) running_ = true;
}

template <typename Call> bool TCOMPILADORFS::guarded_call(std::string_view procedure, Call call) {
    struct TCallScope {
        int& calls;
        explicit TCallScope(int& c) : calls(c) { ++calls; }
        ~TCallScope() { --calls; }
    } scope(calls_);
    position_ = nullptr;
    try {
        call();
        return true;
    } catch (const std::exception& e) {
        report_run_error(procedure, e.what());
    } catch (...) {
        report_run_error(procedure, "unknown error");
    }
    return false;
}

void TCOMPILADORFS::report_run_error(std::string_view procedure, std::string_view message) {
    // Copied before the log call: it lets other work run, which may recompile.
    const std::string position = position_ ? *position_ : std::string();
    std::string line = error_line(name_code, message, position);
    line += ", Event=\"";
    line += procedure;
    line += '"';
    if (procedure == main_block)
        set_card(card_image_error, "Error:" + std::string(message) + " " + position);
    services_.shell.add_log(log_error_code, line);
}

bool TCOMPILADORFS::run_main_block() {
    if (guarded_call(main_block, [this] { fsScript1.Execute(); })) return true;
    // A module whose start failed halfway does not run; what it set up goes.
    running_ = false;
    release_owned();
    return false;
}

void TCOMPILADORFS::call_event(TScriptEvent event, std::span<const Variant> args) {
    TfsProcVariable* procedure = procedures_[static_cast<std::size_t>(event)];
    if (!running_ || !procedure) return;
    guarded_call(script_event_name(event), [&] { fsScript1.CallFunction2(procedure, args); });
}

} // namespace veltran
