#pragma once
// The code file (".scp7"): one module with its requests, for export and import.

#include "shell/request.h"

#include <string>
#include <string_view>
#include <vector>

namespace veltran {

std::string code_file_text(std::string_view title, std::string_view text,
                           const std::vector<Treqhard>& requests, char decimal_separator);

} // namespace veltran
