// veltran script il FILE: the script engine without a window.
#include "apps/cli/cli_command.h"
#include "engine/il_parser.h"
#include "engine/source_file.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

namespace veltran::cli {
namespace {

struct TSubcommand {
    const char* name;
    int min_arguments; // after the sub-command's name
    int max_arguments; // -1: any number
    int (*run)(const TArgs& args);
};

// The options of a compile from the command line: units are looked for in
// the current folder, then beside the script.
TfsILOptions options_for(const std::string& path) {
    TfsILOptions options;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) options.IncludePath.push_back(folder.string());
    return options;
}

// "'BEGIN' expected at 1:1", naming the unit when the error is in one.
void print_compile_error(const TfsILParser& parser) {
    std::string line = parser.ErrorMsg() + " at " + parser.ErrorPos();
    if (!parser.ErrorUnit().empty()) line += " in unit '" + parser.ErrorUnit() + "'";
    std::fprintf(stderr, "%s\n", line.c_str());
}

// Prints the IL document of a script, or its first syntax error.
int script_il(const TArgs& args) {
    TfsILParser parser(options_for(args[0]));
    parser.SelectLanguage("PascalScript");
    if (!parser.MakeILScript(LoadScriptFile(args[0]))) {
        print_compile_error(parser);
        return 1;
    }
    parser.ILScript().AutoIndent = true;
    parser.ILScript().SaveToStream(std::cout);
    return 0;
}

const TSubcommand subcommands[] = {
    {"il", 1, 1, script_il},
};

} // namespace

// The sub-commands share the argument check and turn the engine's errors
// (a file that cannot be read, an unknown language) into status 1.
int run_script(const TArgs& args) {
    for (const TSubcommand& sub : subcommands) {
        if (args.empty() || args[0] != sub.name) continue;
        const TArgs rest(args.begin() + 1, args.end());
        const int count = static_cast<int>(rest.size());
        if (count < sub.min_arguments || (sub.max_arguments >= 0 && count > sub.max_arguments))
            break;
        try {
            return sub.run(rest);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "veltran: %s\n", e.what());
            return 1;
        }
    }
    return usage_error("script");
}

} // namespace veltran::cli
