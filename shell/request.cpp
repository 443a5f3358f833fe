#include "shell/request.h"

#include <array>

namespace veltran {
namespace {

constexpr std::array<std::string_view, 5> type_texts = {"", "ENCODER", "INPUT", "OUTPUT",
                                                        "DISPLAY"};

} // namespace

TRequestType request_type_of(std::string_view text) {
    for (std::size_t i = 1; i < type_texts.size(); ++i)
        if (type_texts[i] == text) return static_cast<TRequestType>(i);
    return req_none;
}

std::string_view request_type_text(TRequestType type) {
    return type < type_texts.size() ? type_texts[type] : std::string_view();
}

} // namespace veltran
