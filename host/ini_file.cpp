#include "host/ini_file.h"

#include "engine/text.h"

#include <algorithm>

namespace veltran {
namespace {

constexpr std::string_view utf8_bom = "\xEF\xBB\xBF";

enum class TLineKind { other, section, key };

struct TIniLine {
    TLineKind kind = TLineKind::other;
    std::string_view name; // section or key name, a view into the text
    std::string_view value;
};

bool is_line_break(char c) {
    return c == '\r' || c == '\n';
}

std::string_view unquoted(std::string_view value) {
    const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                        (value.front() == '"' || value.front() == '\'');
    return quoted ? value.substr(1, value.size() - 2) : value;
}

TIniLine parse_line(std::string_view line) {
    const std::string_view t = trim_view(line);
    if (t.empty() || t.front() == ';') return {};
    if (t.front() == '[') {
        const std::size_t close = t.rfind(']');
        if (close != std::string_view::npos)
            return {TLineKind::section, trim_view(t.substr(1, close - 1)), {}};
    }
    const std::size_t equals = t.find('=');
    if (equals == std::string_view::npos) return {};
    return {TLineKind::key, trim_view(t.substr(0, equals)),
            unquoted(trim_view(t.substr(equals + 1)))};
}

// Where the line after `line` starts: past its CR LF, LF or lone CR.
std::size_t next_line_start(std::string_view text, std::string_view line) {
    std::size_t at = static_cast<std::size_t>(line.data() - text.data()) + line.size();
    if (at < text.size() && text[at] == '\r') ++at;
    if (at < text.size() && text[at] == '\n') ++at;
    return at;
}

std::string single_line(std::string_view text) {
    std::string line = trim(text);
    std::replace_if(line.begin(), line.end(), is_line_break, ' ');
    return line;
}

} // namespace

struct TIniText::TPlace {
    bool section_found = false;
    std::size_t insert_at = 0; // after the last line of the section that is not blank
    std::optional<std::string_view> key;
    std::string_view value;
};

TIniText::TIniText(std::string text) : text_(std::move(text)) {}

TIniText::TPlace TIniText::find(std::string_view section, std::string_view key) const {
    const std::string_view text = text_;
    const std::string_view wanted_section = trim_view(section);
    const std::string_view wanted_key = trim_view(key);
    TPlace place;
    bool inside = false;
    bool first = true;
    for (std::string_view line : split_lines(text)) {
        if (first && line.starts_with(utf8_bom)) line.remove_prefix(utf8_bom.size());
        first = false;
        const TIniLine parsed = parse_line(line);
        if (parsed.kind == TLineKind::section) {
            if (inside) break; // only the first section of a name counts
            inside = same_text_ignoring_case(parsed.name, wanted_section);
            place.section_found = inside;
            if (inside) place.insert_at = next_line_start(text, line);
            continue;
        }
        if (!inside) continue;
        if (!trim_view(line).empty()) place.insert_at = next_line_start(text, line);
        if (parsed.kind == TLineKind::key && same_text_ignoring_case(parsed.name, wanted_key)) {
            place.key = parsed.name;
            place.value = parsed.value;
            break;
        }
    }
    return place;
}

std::optional<std::string_view> TIniText::read(std::string_view section,
                                               std::string_view key) const {
    const TPlace place = find(section, key);
    if (!place.key) return std::nullopt;
    return place.value;
}

void TIniText::write(std::string_view section, std::string_view key, std::string_view value) {
    const std::string section_name = single_line(section);
    const std::string key_name = single_line(key);
    const std::string value_text = single_line(value);
    const TPlace place = find(section_name, key_name);
    if (place.key) {
        // Keep the key as the file spells it and the indentation before it.
        const std::size_t begin = static_cast<std::size_t>(place.key->data() - text_.data());
        const std::size_t end = std::min(text_.find_first_of("\r\n", begin), text_.size());
        text_.replace(begin, end - begin, std::string(*place.key) + "=" + value_text);
        return;
    }
    if (!place.section_found) {
        insert_line(text_.size(), "[" + section_name + "]");
        insert_line(text_.size(), key_name + "=" + value_text);
        return;
    }
    insert_line(place.insert_at, key_name + "=" + value_text);
}

std::string_view TIniText::line_break() const {
    const std::size_t at = text_.find_first_of("\r\n");
    if (at == std::string::npos) return "\r\n";
    if (text_[at] == '\n') return "\n";
    return at + 1 < text_.size() && text_[at + 1] == '\n' ? "\r\n" : "\r";
}

void TIniText::insert_line(std::size_t at, std::string_view line) {
    const std::string_view eol = line_break();
    std::string piece;
    if (at > 0 && !is_line_break(text_[at - 1])) piece += eol;
    piece += line;
    piece += eol;
    text_.insert(at, piece);
}

} // namespace veltran
