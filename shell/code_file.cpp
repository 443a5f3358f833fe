#include "shell/code_file.h"

#include "engine/text.h"
#include "shell/request_xml.h"
#include "shell/xml_text.h"

namespace veltran {

std::string code_file_text(std::string_view title, std::string_view text,
                           const std::vector<Treqhard>& requests, char decimal_separator) {
    std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";
    out += "<CODE Title=\"" + escape_attribute(title) + "\" request=\"0\">\r\n";
    out += "<PASCAL><![CDATA[";
    const std::vector<std::string_view> lines = split_lines(text);
    if (lines.empty()) out += "\r\n";
    for (std::string_view line : lines) {
        out += escape_cdata(line);
        out += "\r\n";
    }
    out += "]]></PASCAL>\r\n";
    for (const Treqhard& r : requests)
        if (!r.borrado) out += request_line(r, decimal_separator);
    out += "</CODE>\r\n";
    return out;
}

} // namespace veltran
