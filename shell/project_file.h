#pragma once
// Reading the project file's header values, and writing the whole file.

#include <cstdint>
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace veltran {

class TConnectionTable;
class TModuleTable;

// The project file as a parsed document; empty when the file cannot be read,
// is larger than a project can be, or is not well-formed XML.
class TProjectDocument {
public:
    static TProjectDocument from_file(const std::string& file_name);
    static TProjectDocument from_text(std::string_view text);

    // The root element if it is named "Project", else an empty node.
    pugi::xml_node project() const;

    std::string title() const;
    std::int32_t version() const;
    std::string description() const;

private:
    pugi::xml_document document_;
};

// The Title attribute of the root element if it is named "Project", else empty.
std::string sacar_titulo(const std::string& file_name);
// The version attribute as an integer, else 0.
std::int32_t sacar_version(const std::string& file_name);
// The trimmed text of the last first-level Description element, else empty.
std::string sacar_descripcion(const std::string& file_name);

struct TProjectFileContent {
    std::string_view title;
    std::string_view description;
    const TConnectionTable& connections;
    const TModuleTable& modules;
    char decimal_separator;
};

// The whole file, line by line, each line ending in CR LF. Module texts are
// written trimmed.
std::string project_file_text(const TProjectFileContent& content);

// The empty project the new-project dialog writes.
std::string new_project_file_text(std::string_view name, std::string_view description);

} // namespace veltran
