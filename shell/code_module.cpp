#include "shell/code_module.h"

namespace veltran {
namespace {

// Each event procedure of a new module, with an empty body.
constexpr std::string_view template_sections[] = {
    "//BOARDS EVENTs",
    "procedure OnInputChange(sn:string;input,value:byte);",
    "procedure OnInputChangeAll(sn,inputs:string);",
    "procedure OnADCChange(sn:string;nadc:byte;value:integer);",
    "procedure OnEncoderChange(id_encoder,value:integer);",
    "//IOCP EVENTs",
    "procedure OnIOCPConnect(socket:byte);",
    "procedure OnIOCPConnectClosed(socket:byte);",
    "procedure OnIOCPConnectFail(socket:byte);",
    "procedure OnIOCPChange(socket:byte;offset,value:integer);",
    "procedure OnIOCPServerChange(offset,value:integer);",
    "//FSUIPC EVENTs",
    "procedure OnFSUIPCError(msg:string);",
    "procedure OnFSUIPCConnect(msg:string);",
    "procedure OnFSUIPCDisConnect(msg:string);",
    "procedure OnFSUIPCChange(offset:integer;value:variant);",
    "//IFLY EVENTs",
    "procedure OnIFLYChange(offset:integer;value:variant);",
    "procedure OnIFLYConnect;",
    "procedure OnIFLYDisConnect;",
};

} // namespace

std::string new_code_template(std::string_view title) {
    std::string text = "PROGRAM " + std::string(title) + ";\n";
    for (std::string_view line : template_sections) {
        text += line;
        text += line.starts_with("//") ? "\n" : "\nbegin\nend;\n";
    }
    text += "//MAIN\nBegin\n //WRITE HERE YOUR CODE\nEnd.";
    return text;
}

} // namespace veltran
