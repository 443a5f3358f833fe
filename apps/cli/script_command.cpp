// veltran script SUB-COMMAND ...: the script engine without a window.
#include "apps/cli/cli_command.h"
#include "engine/codepage.h"
#include "engine/il_parser.h"
#include "engine/script.h"
#include "engine/script_exception.h"
#include "engine/source_file.h"
#include "engine/text.h"
#include "engine/token_value.h"

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
void print_compile_error(const std::string& message, const std::string& pos,
                         const std::string& unit) {
    std::string line = message + " at " + pos;
    if (!unit.empty()) line += " in unit '" + unit + "'";
    std::fprintf(stderr, "%s\n", line.c_str());
}

// Prints the IL document of a script, or its first syntax error.
int script_il(const TArgs& args) {
    TfsILParser parser(options_for(args[0]));
    parser.SelectLanguage("PascalScript");
    if (!parser.MakeILScript(LoadScriptFile(args[0]))) {
        print_compile_error(parser.ErrorMsg(), parser.ErrorPos(), parser.ErrorUnit());
        return 1;
    }
    parser.ILScript().AutoIndent = true;
    parser.ILScript().SaveToStream(std::cout);
    return 0;
}

// A script compiled for running from the command line. Having no window,
// what ShowMessage shows is one line on standard output (the library's
// default); run-time errors name the position of the statement that was
// running.
class TCommandLineScript {
public:
    explicit TCommandLineScript(const std::string& path) {
        script_.Parent = fsGlobalUnit();
        for (const std::string& folder : options_for(path).IncludePath)
            if (!folder.empty()) script_.IncludePath.push_back(folder);
        script_.OnRunLine = [this](TfsScript&, const std::string& unit, const std::string& pos) {
            position_ = unit.empty() ? pos : pos + " in unit '" + unit + "'";
        };
        script_.SetLines(LoadScriptFile(path));
    }

    TfsScript& script() { return script_; }

    bool compile() {
        if (script_.Compile()) return true;
        print_compile_error(script_.ErrorMsg(), script_.ErrorPos(), script_.ErrorUnit());
        return false;
    }

    // Runs one call into the script; false (after saying why) when it failed.
    template <class F> bool run(F&& call) {
        try {
            call();
        } catch (const std::exception& e) {
            std::fflush(stdout);
            std::fprintf(stderr, "Runtime error: %s at %s\n", e.what(), position_.c_str());
            return false;
        }
        if (!script_.step_limit_reached()) return true;
        std::fflush(stdout);
        std::fprintf(stderr, "Step limit reached at %s\n", position_.c_str());
        return false;
    }

private:
    TfsScript script_;
    std::string position_;
};

// veltran script run [--max-steps N] FILE: compiles and runs the main block.
int script_run(const TArgs& args) {
    std::int64_t max_steps = 0;
    std::size_t file = 0;
    if (args[0] == "--max-steps") {
        const Variant steps = token_value(args.size() > 1 ? args[1] : "");
        if (args.size() != 3 || !steps.is_integer() || steps.to_int64() <= 0)
            return usage_error("script");
        max_steps = steps.to_int64();
        file = 2;
    } else if (args.size() != 1) {
        return usage_error("script");
    }
    TCommandLineScript program(args[file]);
    program.script().StepLimit = max_steps;
    if (!program.compile()) return 1;
    return program.run([&] { program.script().Execute(); }) ? 0 : 1;
}

// A command-line argument as a script value: a number, a quoted string,
// True or False, or else the text itself.
Variant argument_value(const std::string& text) {
    if (same_text_ignoring_case(text, "true")) return Variant(true);
    if (same_text_ignoring_case(text, "false")) return Variant(false);
    const std::string ansi = utf8_to_cp1252(text);
    const bool quoted = ansi.size() >= 2 && ansi.front() == '\'' && ansi.back() == '\'';
    const Variant number = quoted ? Variant::null() : token_value(ansi);
    if (!number.is_null()) return number;
    return quoted ? token_value(ansi) : Variant::from_utf8(text);
}

// veltran script call FILE PROC ARGS...: runs the main block, then calls the
// procedure with the arguments and prints a function's result.
int script_call(const TArgs& args) {
    TCommandLineScript program(args[0]);
    if (!program.compile()) return 1;
    TfsScript& script = program.script();
    TfsProcVariable* proc = script.FindProc(utf8_to_cp1252(args[1]));
    if (!proc) {
        std::fprintf(stderr, "Procedure '%s' not found\n", args[1].c_str());
        return 1;
    }
    std::vector<Variant> values;
    for (std::size_t i = 2; i < args.size(); ++i)
        values.push_back(argument_value(args[i]));
    Variant result;
    const bool ran = program.run([&] {
        script.Execute();
        result = script.CallFunction2(proc, std::span<const Variant>(values));
    });
    if (!ran) return 1;
    if (proc->IsFunc) std::printf("%s\n", result.is_null() ? "" : result.to_utf8().c_str());
    return 0;
}

const TSubcommand subcommands[] = {
    {"il", 1, 1, script_il},
    {"run", 1, 3, script_run},
    {"call", 2, -1, script_call},
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
