#include "engine/locale_settings.h"

#include <stdexcept>

namespace veltran {
namespace {

TFormatSettings& current_settings() {
    static TFormatSettings settings;
    return settings;
}

} // namespace

std::locale TFormatSettings::default_text_locale() {
    try {
        return std::locale("C.UTF-8");
    } catch (const std::runtime_error&) {
        return std::locale::classic(); // a system without it: ASCII case mapping
    }
}

const TFormatSettings& format_settings() {
    return current_settings();
}

void set_format_settings(TFormatSettings settings) {
    current_settings() = std::move(settings);
}

} // namespace veltran
