#pragma once
// What a module slot knows of its module: title, text, requests, id and the
// project file it came from. The module host extends it with the engine.

#include "shell/request.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltran {

struct TCard;

class TCodeModule {
public:
    virtual ~TCodeModule() = default;

    std::string name_code;          // title
    std::string Code_;              // Pascal text, lines separated by '\n'
    std::vector<Treqhard> requests; // deleted requests stay, marked borrado
    std::int32_t id_code = 0;       // slot index
    std::string filename;           // project file it was loaded from; empty when created
    TCard* card = nullptr;
};

// The text of a new module.
std::string new_code_template(std::string_view title);

} // namespace veltran
