#include "boards/sim_script.h"

#include "boards/board_names.h"
#include "engine/text.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace veltran {
namespace {

constexpr int max_time_ms = 24 * 60 * 60 * 1000;
constexpr int max_steps = 10000;

class TLineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::vector<std::string_view> words_of(std::string_view line) {
    line = line.substr(0, line.find('#'));
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && static_cast<unsigned char>(line[i]) <= ' ')
            ++i;
        const std::size_t start = i;
        while (i < line.size() && static_cast<unsigned char>(line[i]) > ' ')
            ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

int number(std::string_view word, int low, int high, std::string_view what) {
    int value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || end != word.data() + word.size() || value < low || value > high)
        throw TLineError(std::string(what) + " must be a number from " + std::to_string(low) +
                         " to " + std::to_string(high) + ", not \"" + std::string(word) + "\"");
    return value;
}

class TParser {
public:
    TSimSetup setup;

    void line(const std::vector<std::string_view>& words) {
        if (words[0] == "board")
            board(words);
        else if (words[0] == "at")
            action(words);
        else
            throw TLineError("unknown instruction \"" + std::string(words[0]) + "\" (board or at)");
    }

private:
    void board(const std::vector<std::string_view>& w) {
        if (w.size() < 3) throw TLineError("expected board SERIAL KIND [exp ADDR...]");
        TSimBoardConfig config;
        config.serial = std::string(w[1]);
        if (config.serial.size() != serial_length)
            throw TLineError("serial \"" + config.serial + "\" must have 11 characters");
        if (find_board(config.serial))
            throw TLineError("board " + config.serial + " is declared twice");
        const auto kind = sim_kind_named(w[2]);
        if (!kind)
            throw TLineError("unknown board kind \"" + std::string(w[2]) +
                             "\" (main, joystick, servo, dcmotor or bootloader)");
        config.kind = *kind;
        if (w.size() > 3) {
            if (w[3] != "exp") throw TLineError("expected exp ADDR... after the kind");
            if (config.kind != TSimKind::main) throw TLineError("only a main board has expansions");
            if (w.size() == 4) throw TLineError("exp needs at least one address");
            for (std::size_t i = 4; i < w.size(); ++i)
                config.expansions.set(static_cast<std::size_t>(
                    number(w[i], 0, expansion_count - 1, "an expansion address")));
        }
        setup.boards.push_back(std::move(config));
    }

    void action(const std::vector<std::string_view>& w) {
        if (w.size() < 4) throw TLineError("expected at MS WHAT ...");
        TSimAction a;
        a.at_ms = number(w[1], 0, max_time_ms, "the time");
        const std::string_view what = w[2];
        if (what == "input") {
            expect(w, 6, "at MS input NAME N 0|1");
            target(a, w[3]);
            a.kind = TSimActionKind::input;
            a.first = input_number(a, w[3], w[4]);
            a.second = number(w[5], 0, 1, "the level");
        } else if (what == "adc") {
            expect(w, 6, "at MS adc NAME K VALUE");
            target(a, w[3]);
            a.kind = TSimActionKind::adc;
            const TSimReach reach = reach_of(a);
            if (reach.axes == 0) throw TLineError(std::string(w[3]) + " has no analogue axes");
            a.first = number(w[4], 1, reach.axes, "the axis");
            a.second = number(w[5], 0, reach.max_axis_value, "the value");
        } else if (what == "encoder") {
            expect(w, 7, "at MS encoder NAME N1 N2 STEPS");
            target(a, w[3]);
            a.kind = TSimActionKind::encoder;
            a.first = input_number(a, w[3], w[4]);
            a.second = input_number(a, w[3], w[5]);
            if (a.first == a.second) throw TLineError("an encoder needs two different inputs");
            a.steps = number(w[6], -max_steps, max_steps, "the steps");
        } else if (what == "unplug" || what == "plug") {
            expect(w, 4, what == "plug" ? "at MS plug SERIAL" : "at MS unplug SERIAL");
            a.kind = what == "plug" ? TSimActionKind::plug : TSimActionKind::unplug;
            target(a, w[3]);
            if (a.address != own_slot) throw TLineError("plug and unplug take a board serial");
        } else {
            throw TLineError("unknown action \"" + std::string(what) +
                             "\" (input, adc, encoder, unplug or plug)");
        }
        setup.actions.push_back(a);
    }

    static void expect(const std::vector<std::string_view>& w, std::size_t count,
                       const char* form) {
        if (w.size() != count) throw TLineError(std::string("expected ") + form);
    }

    const TSimBoardConfig* find_board(std::string_view serial) const {
        for (const TSimBoardConfig& b : setup.boards)
            if (same_text_ignoring_case(b.serial, serial)) return &b;
        return nullptr;
    }

    void target(TSimAction& a, std::string_view name) {
        const TSimBoardConfig* board = find_board(board_key(name));
        if (!board)
            throw TLineError("unknown board \"" + std::string(board_key(name)) +
                             "\" (declare it on a board line first)");
        a.board = static_cast<std::size_t>(board - setup.boards.data());
        try {
            a.address = get_id_exp(name);
        } catch (const TBoardNameError& e) {
            throw TLineError(std::string(name) + ": " + e.what());
        }
    }

    TSimReach reach_of(const TSimAction& a) const {
        return sim_reach(setup.boards[a.board], a.address);
    }

    int input_number(const TSimAction& a, std::string_view name, std::string_view word) const {
        const TSimReach reach = reach_of(a);
        if (reach.inputs == 0) throw TLineError(std::string(name) + " has no inputs");
        return number(word, 1, reach.inputs, "the input");
    }
};

} // namespace

TSimParseResult parse_sim_script(std::string_view text, std::string_view file_name) {
    TParser parser;
    const std::vector<std::string_view> lines = split_lines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string_view> words = words_of(lines[i]);
        if (words.empty()) continue;
        try {
            parser.line(words);
        } catch (const TLineError& e) {
            return {{}, std::string(file_name) + ":" + std::to_string(i + 1) + ": " + e.what()};
        }
    }
    std::stable_sort(parser.setup.actions.begin(), parser.setup.actions.end(),
                     [](const TSimAction& a, const TSimAction& b) { return a.at_ms < b.at_ms; });
    return {std::move(parser.setup), {}};
}

TSimParseResult read_sim_script(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {{}, path + ": cannot read the simulated boards file"};
    std::ostringstream text;
    text << file.rdbuf();
    return parse_sim_script(text.str(), path);
}

} // namespace veltran
