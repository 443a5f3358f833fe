#pragma once
// The module host: one code module with its own script engine. Before each
// compile it registers the constants, the 38 built-in procedures, the request
// identifiers, the globals and the iFly names; it compiles, runs the main
// block, and then calls the module's event procedures while it runs.

#include "engine/script.h"
#include "host/builtin_procedures.h"
#include "host/module_events.h"
#include "host/request_bindings.h"
#include "host/script_events.h"
#include "shell/code_module.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltran {

class TConnectionTable;
class TEncoderTable;
class TLinkPort;
class TScriptTimers;
class TShell;
class TUSBGEST;
struct Tglobales;

// What every module host of a project shares.
struct THostServices {
    TShell& shell;
    TUSBGEST& boards;
    TLinkPort& links;
    const TConnectionTable& connections;
    const std::vector<Tglobales>& globals;
    TEncoderTable& encoders;
    TScriptTimers& timers;
};

// The module's status card.
inline constexpr int card_image_running = 1;
inline constexpr int card_image_error = 2;
inline constexpr int card_image_idle = 6;

class TCOMPILADORFS : public TCodeModule {
public:
    explicit TCOMPILADORFS(THostServices& services);
    // Frees the timers and encoders this module created.
    ~TCOMPILADORFS() override;

    TfsScript fsScript1;

    // After a successful run until Stop: only then do events reach the script.
    bool running() const { return running_; }
    // A call into the script (main block or event) has not returned yet.
    bool busy() const { return calls_ > 0; }
    TModuleOwner owner() const { return owner_; }

    // The module text as its editor page shows and edits it. From the page's
    // first use until the module is pointed at its editor, the module keeps
    // running the text it held before, as loaded.
    std::string& editor_lines();
    // From now on the module compiles what its editor shows.
    void point_at_editor();
    // What Compile and Run compile.
    const std::string& text() const { return held_text_ ? *held_text_ : Code_; }

    void Compile() { compilar(0); }
    void Run() { compilar(1); }
    // Also ends a script call still in progress at its next statement.
    void Stop();
    // Stop without card and log line: the module's project is closing.
    void halt();
    // 0 compiles, 1 compiles and runs the main block.
    void compilar(int mode);

    // Calls the module's own procedure of the event while the module runs;
    // one it does not declare is skipped. An error the script raises is the
    // module's error on the ERROR CODE channel and ends only this call.
    void call_event(TScriptEvent event, std::span<const Variant> args);
    const TRequestBindings& bindings() const { return bindings_; }
    TBindingTargets binding_targets() const;

    // The handler of every built-in procedure, with the code of the one called.
    Variant call_builtin(TBuiltin code, std::span<Variant> params);

private:
    bool prepare_and_compile();
    void register_builtins();
    void register_requests();
    void register_request_encoder(Treqhard& request, std::size_t index);
    void register_names();
    void find_event_procedures();
    bool run_main_block();
    template <typename Call> bool guarded_call(std::string_view procedure, Call call);
    void report_run_error(std::string_view procedure, std::string_view message);
    void log_compile_error(std::string_view message, std::string_view position);
    void set_card(int image, std::string text);
    void log_status(std::string_view status);
    void release_owned();

    Variant call_board(TBuiltin code, std::span<Variant> params);
    Variant call_timer_or_encoder(TBuiltin code, std::span<Variant> params);
    Variant call_text_or_bits(TBuiltin code, std::span<Variant> params);
    Variant call_link(TBuiltin code, std::span<Variant> params);

    THostServices& services_;
    const TModuleOwner owner_;
    bool running_ = false;
    int calls_ = 0;
    int stops_ = 0;
    bool pointed_ = false;
    std::optional<std::string> held_text_;
    std::array<TfsProcVariable*, script_event_count> procedures_{};
    TRequestBindings bindings_;
    // The position of the statement last begun, kept by the per-line hook.
    const std::string* position_ = nullptr;
};

} // namespace veltran
