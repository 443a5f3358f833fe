#pragma once
// A private-profile (ini) text with the lookup rules of Windows profile files:
// section and key names compare without ASCII case and without the blanks
// around them, the first section of a name and the first key of a name in it
// are the ones that count, lines starting with ';' are comments, a line
// without '=' holds no value, and a value in matching single or double quotes
// is read without them. Writing changes only the one line it needs (or adds
// it) and keeps every other byte of the text, a missing final line break
// included.

#include <optional>
#include <string>
#include <string_view>

namespace veltran {

class TIniText {
public:
    explicit TIniText(std::string text = {});

    std::optional<std::string_view> read(std::string_view section, std::string_view key) const;

    // Replaces the key's line by key=value; a new key goes after the last line
    // of its section, a new section at the end of the text. Line breaks inside
    // the names or the value become blanks, so that a value cannot add lines.
    void write(std::string_view section, std::string_view key, std::string_view value);

    const std::string& text() const { return text_; }

private:
    struct TPlace;
    TPlace find(std::string_view section, std::string_view key) const;
    std::string_view line_break() const;
    void insert_line(std::size_t at, std::string_view line);

    std::string text_;
};

} // namespace veltran
