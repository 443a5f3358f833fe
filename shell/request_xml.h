#pragma once
// The REQUEST element, shared by the project file and the code file.

#include "shell/request.h"

#include <pugixml.hpp>
#include <string>

namespace veltran {

// Fills a zeroed request from a REQUEST element; attributes that are absent
// leave their field unchanged, and the extra configuration is read only when
// extra is 1.
Treqhard read_request(const pugi::xml_node& element);

// The request's line: three tabs, the attributes in their fixed order each
// followed by a blank, "></REQUEST>", CR LF.
std::string request_line(const Treqhard& request, char decimal_separator);

} // namespace veltran
