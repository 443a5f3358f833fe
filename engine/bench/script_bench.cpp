// Runs standard workloads in the script dialect and the same workloads in
// Lua 5.4, and prints both times and their ratio. Run from a release build:
//   build-release/engine/bench/script_bench [rounds]
// Each figure is the best of the rounds in CPU time of the running thread
// (the machine may be busy with other work); compiling is not timed.
#include "engine/script.h"

#include <lua.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <time.h>

namespace {

struct TWorkload {
    const char* name;
    const char* pascal; // leaves its result in the global `result`
    const char* lua;    // returns its result
};

const TWorkload workloads[] = {
    {"integer loop",
     "var i, result: Integer;\n"
     "begin\n"
     "  result := 0;\n"
     "  for i := 1 to 10000000 do result := (result + i * 3) mod 1000003;\n"
     "end.",
     "local result = 0\n"
     "for i = 1, 10000000 do result = (result + i * 3) % 1000003 end\n"
     "return result"},
    {"fib(27)",
     "var result: Integer;\n"
     "function Fib(n: Integer): Integer;\n"
     "begin\n"
     "  if n < 2 then Result := n else Result := Fib(n - 1) + Fib(n - 2);\n"
     "end;\n"
     "begin\n"
     "  result := Fib(27);\n"
     "end.",
     "local function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end\n"
     "return fib(27)"},
    {"string building",
     "var i, j, result: Integer; line: String;\n"
     "begin\n"
     "  result := 0;\n"
     "  for i := 1 to 20000 do begin\n"
     "    line := '';\n"
     "    for j := 1 to 100 do line := line + 'x';\n"
     "    if line[100] = 'x' then result := result + 1;\n"
     "  end;\n"
     "end.",
     "local result = 0\n"
     "for i = 1, 20000 do\n"
     "  local line = ''\n"
     "  for j = 1, 100 do line = line .. 'x' end\n"
     "  if line:sub(100, 100) == 'x' then result = result + 1 end\n"
     "end\n"
     "return result"},
    {"procedure call",
     "var i, result: Integer;\n"
     "procedure Add(a: Integer);\n"
     "begin\n"
     "  result := (result + a) mod 1000003;\n"
     "end;\n"
     "begin\n"
     "  result := 0;\n"
     "  for i := 1 to 3000000 do Add(i);\n"
     "end.",
     "local result = 0\n"
     "local function add(a) result = (result + a) % 1000003 end\n"
     "for i = 1, 3000000 do add(i) end\n"
     "return result"},
    {"array fill and sum",
     "var a: array[100000] of Integer; i, round, result: Integer;\n"
     "begin\n"
     "  result := 0;\n"
     "  for round := 1 to 20 do begin\n"
     "    for i := 0 to 99999 do a[i] := i * 2;\n"
     "    for i := 0 to 99999 do result := (result + a[i]) mod 1000003;\n"
     "  end;\n"
     "end.",
     "local a = {}\n"
     "local result = 0\n"
     "for round = 1, 20 do\n"
     "  for i = 0, 99999 do a[i] = i * 2 end\n"
     "  for i = 0, 99999 do result = (result + a[i]) % 1000003 end\n"
     "end\n"
     "return result"},
    // Library calls in the loop: IntToStr, Copy and Format with their string results.
    {"IntToStr loop",
     "var i, result: Integer; s: String;\n"
     "begin\n"
     "  result := 0;\n"
     "  for i := 1 to 1000000 do begin\n"
     "    s := IntToStr(i);\n"
     "    result := result + Length(s);\n"
     "  end;\n"
     "end.",
     "local result = 0\n"
     "for i = 1, 1000000 do\n"
     "  local s = tostring(i)\n"
     "  result = result + #s\n"
     "end\n"
     "return result"},
    {"Copy loop",
     "var i, result: Integer; s, t: String;\n"
     "begin\n"
     "  s := 'The quick brown fox jumps over the lazy dog';\n"
     "  result := 0;\n"
     "  for i := 1 to 1000000 do begin\n"
     "    t := Copy(s, i mod 40 + 1, 4);\n"
     "    if t[1] = 'o' then result := result + 1;\n"
     "  end;\n"
     "end.",
     "local s = 'The quick brown fox jumps over the lazy dog'\n"
     "local result = 0\n"
     "for i = 1, 1000000 do\n"
     "  local t = s:sub(i % 40 + 1, i % 40 + 4)\n"
     "  if t:sub(1, 1) == 'o' then result = result + 1 end\n"
     "end\n"
     "return result"},
    {"Format loop",
     "var i, result: Integer; s: String;\n"
     "begin\n"
     "  result := 0;\n"
     "  for i := 1 to 300000 do begin\n"
     "    s := Format('%d: %s = %.2f', [i, 'alt', i / 8]);\n"
     "    result := result + Length(s);\n"
     "  end;\n"
     "end.",
     "local result = 0\n"
     "for i = 1, 300000 do\n"
     "  local s = string.format('%d: %s = %.2f', i, 'alt', i / 8)\n"
     "  result = result + #s\n"
     "end\n"
     "return result"},
};

double thread_seconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double best_seconds(int rounds, const std::function<void()>& run) {
    double best = 1e30;
    for (int r = 0; r < rounds; ++r) {
        const double start = thread_seconds();
        run();
        best = std::min(best, thread_seconds() - start);
    }
    return best;
}

// The script's time and its result.
double time_script(const TWorkload& w, int rounds, std::string& result) {
    veltran::TfsScript script;
    script.Parent = veltran::fsGlobalUnit();
    script.SetLines(w.pascal);
    if (!script.Compile()) {
        std::fprintf(stderr, "%s: %s at %s\n", w.name, script.ErrorMsg().c_str(),
                     script.ErrorPos().c_str());
        std::exit(1);
    }
    const double seconds = best_seconds(rounds, [&] { script.Execute(); });
    result = script.GetVariable("result").to_utf8();
    return seconds;
}

double time_lua(const TWorkload& w, int rounds, std::string& result) {
    lua_State* lua = luaL_newstate();
    luaL_openlibs(lua);
    if (luaL_loadstring(lua, w.lua) != LUA_OK) {
        std::fprintf(stderr, "%s: %s\n", w.name, lua_tostring(lua, -1));
        std::exit(1);
    }
    const double seconds = best_seconds(rounds, [&] {
        lua_pushvalue(lua, -1);
        if (lua_pcall(lua, 0, 1, 0) != LUA_OK) {
            std::fprintf(stderr, "%s: %s\n", w.name, lua_tostring(lua, -1));
            std::exit(1);
        }
        result = std::to_string(lua_tointeger(lua, -1));
        lua_pop(lua, 1);
    });
    lua_close(lua);
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::printf("%-20s %12s %12s %8s  %s\n", "workload", "script ms", "Lua 5.4 ms", "ratio",
                "results");
    for (const TWorkload& w : workloads) {
        std::string ours, theirs;
        const double script = time_script(w, rounds, ours);
        const double lua = time_lua(w, rounds, theirs);
        std::printf("%-20s %12.1f %12.1f %8.2f  %s %s\n", w.name, script * 1e3, lua * 1e3,
                    script / lua, ours.c_str(),
                    ours == theirs ? "(same)" : ("(Lua: " + theirs + ")").c_str());
    }
    std::printf("ratio = script time / Lua time; below 1 the script engine is faster.\n");
    return 0;
}
