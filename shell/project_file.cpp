#include "shell/project_file.h"

#include "engine/text.h"
#include "shell/connection_table.h"
#include "shell/file_io.h"
#include "shell/module_table.h"
#include "shell/request_xml.h"
#include "shell/xml_text.h"

namespace veltran {
namespace {

constexpr std::string_view declaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";

// The module text between "<![CDATA[" and the line break before "]]>".
void append_module_text(std::string& out, std::string_view text) {
    const auto lines = split_lines(trim_view(text));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) out += "\r\n";
        out += escape_cdata(lines[i]);
    }
}

void append_description(std::string& out, std::string_view description) {
    out += "\t<Description>\r\n";
    for (std::string_view line : split_lines(description)) {
        out += escape_text(line);
        out += "\r\n";
    }
    out += "\t</Description>\r\n";
}

void append_modules(std::string& out, const TModuleTable& modules, char separator) {
    out += "\t<Modules>\r\n";
    for (int i = 0; i < modules.cont_codigos(); ++i) {
        if (!modules.in_use(i)) continue;
        const TCodeModule& m = *modules.slot(i).host;
        out += "\t\t<Code Title=\"" + escape_attribute(m.name_code) +
               "\" request=\"0\" encrypted=\"0\">\r\n";
        out += "\t\t\t<PASCAL><![CDATA[";
        append_module_text(out, m.Code_);
        out += "\r\n\t\t\t]]></PASCAL>\r\n";
        for (const Treqhard& r : m.requests)
            if (!r.borrado) out += request_line(r, separator);
        out += "\t\t</Code>\r\n";
    }
    out += "\t</Modules>\r\n";
}

} // namespace

TProjectDocument TProjectDocument::from_file(const std::string& file_name) {
    const std::optional<std::string> text = read_file(file_name);
    return text ? from_text(*text) : TProjectDocument();
}

TProjectDocument TProjectDocument::from_text(std::string_view text) {
    TProjectDocument doc;
    if (!parse_xml(text, doc.document_)) doc.document_.reset();
    return doc;
}

pugi::xml_node TProjectDocument::project() const {
    const pugi::xml_node root = document_.document_element();
    return std::string_view(root.name()) == "Project" ? root : pugi::xml_node();
}

std::string TProjectDocument::title() const {
    return project().attribute("Title").value();
}

std::int32_t TProjectDocument::version() const {
    return int_value(project().attribute("version"));
}

std::string TProjectDocument::description() const {
    pugi::xml_node last;
    for (const pugi::xml_node& d : project().children("Description"))
        last = d;
    return trim(element_text(last));
}

std::string sacar_titulo(const std::string& file_name) {
    return TProjectDocument::from_file(file_name).title();
}

std::int32_t sacar_version(const std::string& file_name) {
    return TProjectDocument::from_file(file_name).version();
}

std::string sacar_descripcion(const std::string& file_name) {
    return TProjectDocument::from_file(file_name).description();
}

std::string project_file_text(const TProjectFileContent& c) {
    std::string out(declaration);
    out += "<Project Title=\"" + escape_attribute(c.title) + "\" version=\"72\">\r\n";
    out += c.connections.connections_text();
    for (const Tglobales& g : c.modules.globales())
        out += "\t<Globals name=\"" + escape_attribute(g.name) + "\" value=\"" +
               escape_attribute(g.value) + "\"></Globals>\r\n";
    append_modules(out, c.modules, c.decimal_separator);
    append_description(out, c.description);
    out += "</Project>\r\n";
    return out;
}

std::string new_project_file_text(std::string_view name, std::string_view description) {
    std::string out(declaration);
    out += "<Project Title=\"" + escape_attribute(name) + "\"  version=\"72\">\r\n";
    out += "\t<Connections nFsuipc=\"0\" nIocp=\"0\">\r\n";
    out += "\t</Connections>\r\n";
    out += "\t<Modules>\r\n";
    out += "\t</Modules>\r\n";
    append_description(out, description);
    out += "</Project>\r\n";
    return out;
}

} // namespace veltran
