#include "engine/source_file.h"

#include "engine/codepage.h"
#include "engine/script_error.h"
#include "engine/text.h"

#include <fstream>
#include <iterator>

namespace veltran {

std::string LoadScriptFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw cannot_open_file(path);
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) throw cannot_open_file(path);

    std::string_view content = bytes;
    const bool bom = content.starts_with("\xEF\xBB\xBF");
    if (bom) content.remove_prefix(3);
    const std::string text =
        bom || is_valid_utf8(content) ? utf8_to_cp1252(content) : std::string(content);

    std::string lines;
    lines.reserve(text.size() + text.size() / 16);
    for (std::string_view line : split_lines(text))
        lines.append(line).append("\r\n");
    return lines;
}

} // namespace veltran
