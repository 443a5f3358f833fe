#include "shell/shell_state.h"

#include "shell/file_version.h"
#include "shell/log_channel.h"

namespace veltran {
namespace {

// Up to this index the list box stays at its first line; later lines scroll
// to the top of the view.
constexpr std::size_t last_unscrolled_line = 5;

} // namespace

TShell::TShell(TProgramKind kind) : kind_(kind) {}

void TShell::read_version() {
    const TFileVersion v = program_file_version();
    version = version_text(v);
    build = build_text(v);
}

void TShell::init_globals() {
    log_list_.clear();
    running = false;
    menus_no_project();
}

void TShell::process_pending_messages() {
    if (pump_) pump_->process_pending();
}

void TShell::add_log(std::uint8_t channel, std::string_view text) {
    process_pending_messages();
    std::string html;
    if (kind_ == TProgramKind::editor) html = channel_prefix(channel) + std::string(text);
    const std::size_t index = list_box_lines_++;
    log_list_.emplace_back(text);
    if (view_) {
        const std::size_t top = index > last_unscrolled_line ? index : 0;
        view_->log_appended(TLogLine{html, text, index, top});
    }
}

void TShell::add_debug(std::string_view text) {
    process_pending_messages();
    if (kind_ == TProgramKind::editor && debug_page_visible && view_) view_->debug_appended(text);
}

void TShell::clear_lines() {
    log_list_.clear();
    clear_log_box();
}

void TShell::clear_log_box() {
    list_box_lines_ = 0;
    if (view_) view_->log_cleared();
}

std::string TShell::copy_lines() const {
    std::string text;
    for (const std::string& line : log_list_) {
        text += line;
        text += '\n';
    }
    return text;
}

void TShell::set_toolbar(TToolbarState state) {
    if (kind_ == TProgramKind::player) return;
    toolbar_ = state;
    if (on_toolbar_changed) on_toolbar_changed(state);
}

} // namespace veltran
