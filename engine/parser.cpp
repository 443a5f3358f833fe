#include "engine/parser.h"

#include "engine/codepage.h"
#include "engine/script_error.h"

#include <algorithm>
#include <charconv>
#include <climits>

namespace veltran {
namespace {

constexpr char line_feed = '\n';
constexpr char carriage_return = '\r';

bool is_eol(char c) {
    return c == line_feed || c == carriage_return;
}
bool is_digit(char c) {
    return c >= '0' && c <= '9';
}
bool is_hex_digit(char c) {
    return is_digit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
int hex_value(char c) {
    return is_digit(c) ? c - '0' : (c | 0x20) - 'a' + 10;
}
bool is_high(char c) {
    return static_cast<unsigned char>(c) >= 127;
}
// Codes 0..8 and 10..31: a quoted part may not hold them (tab is allowed).
bool breaks_quoted(char c) {
    return static_cast<unsigned char>(c) < 32 && c != '\t';
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

// Order of the keyword list: bytes compared with ASCII letters folded.
int compare_ignoring_case(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(upper(a[i]));
        const auto y = static_cast<unsigned char>(upper(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// A character code of a literal (#n, \xn): one byte, or the 1252 byte of a
// larger code point.
char code_to_char(unsigned long code) {
    return code <= 0xFF ? static_cast<char>(code)
                        : cp1252_from_code_point(static_cast<char32_t>(std::min(code, 0x10FFFFUL)));
}

// Value of a digit run, saturating rather than overflowing.
unsigned long digits_value(std::string_view digits, bool hex) {
    unsigned long value = 0;
    for (char c : digits) {
        value = value * (hex ? 16 : 10) + static_cast<unsigned long>(hex ? hex_value(c) : c - '0');
        if (value > 0x10FFFF) return 0x110000;
    }
    return value;
}

TfsIdentifierCharset default_charset() {
    TfsIdentifierCharset set;
    for (int c = '0'; c <= '9'; ++c)
        set.set(static_cast<std::size_t>(c));
    for (int c = 'A'; c <= 'Z'; ++c)
        set.set(static_cast<std::size_t>(c));
    for (int c = 'a'; c <= 'z'; ++c)
        set.set(static_cast<std::size_t>(c));
    set.set('_');
    return set;
}

} // namespace

TfsPoint PosToPoint(std::string_view pos) {
    TfsPoint pt;
    const std::size_t colon = pos.find(':');
    const std::string_view line = pos.substr(0, colon);
    std::from_chars(line.data(), line.data() + line.size(), pt.Y);
    if (colon != std::string_view::npos) {
        const std::string_view column = pos.substr(colon + 1);
        std::from_chars(column.data(), column.data() + column.size(), pt.X);
    }
    return pt;
}

TfsParser::TfsParser() {
    Clear();
}

void TfsParser::Clear() {
    keywords_.clear();
    case_sensitive_ = false;
    set_pair(block1_, "{,}");
    set_pair(block2_, "(*,*)");
    comment_line1_ = "//";
    comment_line2_.clear();
    hex_sequence_.assign(1, '$'); // assign(1, c): GCC 12 misreports "$" (-Wrestrict)
    identifier_charset_ = default_charset();
    skip_char_.clear();
    skip_eol_ = true;
    skip_space_ = true;
    string_quotes_.assign(1, '\'');
    use_y_ = true;
    spec_str_char_ = false;
    forget_skip();
}

void TfsParser::set_pair(TCommentPair& pair, std::string_view value) {
    pair.pair = value;
    const std::size_t comma = value.find(',');
    pair.open = value.substr(0, comma);
    pair.close =
        comma == std::string_view::npos ? std::string() : std::string(value.substr(comma + 1));
}

void TfsParser::SetCommentBlock1(std::string_view value) {
    set_pair(block1_, value);
    forget_skip();
}

void TfsParser::SetCommentBlock2(std::string_view value) {
    set_pair(block2_, value);
    forget_skip();
}

void TfsParser::SetCommentLine1(std::string_view value) {
    comment_line1_ = value;
    forget_skip();
}

void TfsParser::SetCommentLine2(std::string_view value) {
    comment_line2_ = value;
    forget_skip();
}

void TfsParser::SetSkiPChar(std::string_view value) {
    skip_char_ = value;
    forget_skip();
}

void TfsParser::SetSkipEOL(bool value) {
    skip_eol_ = value;
    forget_skip();
}

void TfsParser::AddKeyword(std::string_view word) {
    const auto at = std::lower_bound(
        keywords_.begin(), keywords_.end(), word,
        [](const std::string& a, std::string_view b) { return compare_ignoring_case(a, b) < 0; });
    if (at == keywords_.end() || compare_ignoring_case(*at, word) != 0) keywords_.emplace(at, word);
}

void TfsParser::SetText(std::string_view text) {
    if (text.size() >= static_cast<std::size_t>(INT_MAX)) throw TfsError("Text too long");
    text_.assign(text);
    text_ += '\0';
    size_ = static_cast<int>(text.size());
    position_ = last_position_ = 1;
    y_list_.assign(1, 0);
    if (use_y_)
        for (int i = 0; i < size_; ++i)
            if (text_[static_cast<std::size_t>(i)] == line_feed) y_list_.push_back(i + 1);
    forget_skip();
}

void TfsParser::SetPosition(int position) {
    position_ = last_position_ = std::clamp(position, 1, size_ + 1);
}

bool TfsParser::starts_with(int position, std::string_view s) const {
    return !s.empty() && position + static_cast<int>(s.size()) - 1 <= size_ &&
           std::string_view(text_).substr(static_cast<std::size_t>(position - 1), s.size()) == s;
}

std::string_view TfsParser::slice(int from, int to) const {
    return std::string_view(text_).substr(static_cast<std::size_t>(from - 1),
                                          static_cast<std::size_t>(to - from));
}

void TfsParser::ConstructCharset(std::string_view chars) {
    identifier_charset_.reset();
    for (char c : chars)
        identifier_charset_.set(static_cast<unsigned char>(c));
}

bool TfsParser::is_blank(char c) const {
    return static_cast<unsigned char>(c) <= ' ' && (skip_eol_ || c != carriage_return);
}

void TfsParser::skip_eol_run() {
    while (position_ <= size_ && is_eol(at(position_)))
        ++position_;
}

void TfsParser::SkipSpaces() {
    if (position_ == skip_from_) {
        position_ = last_position_ = skip_to_;
        return;
    }
    const int from = position_;
    // Each continuation character asks for one run of line ends after the
    // blanks and comments that follow it.
    int pending_eols = 0;
    for (;;) {
        while (position_ <= size_ && is_blank(at(position_)))
            ++position_;
        if (starts_with(position_, skip_char_)) {
            position_ += static_cast<int>(skip_char_.size());
            ++pending_eols;
            continue;
        }
        if (position_ < size_ && skip_comment()) continue;
        if (pending_eols > 0 && position_ <= size_ && is_eol(at(position_))) {
            skip_eol_run();
            --pending_eols;
            continue;
        }
        break;
    }
    last_position_ = position_;
    skip_from_ = from;
    skip_to_ = position_;
}

bool TfsParser::skip_comment() {
    if (starts_with(position_, comment_line1_) || starts_with(position_, comment_line2_)) {
        const int start = position_;
        const bool stop_at_cr = !skip_eol_ && start != 1 && at(start - 1) != line_feed;
        while (position_ <= size_ && at(position_) != line_feed &&
               !(stop_at_cr && at(position_) == carriage_return))
            ++position_;
        return true;
    }
    return skip_block(block1_) || skip_block(block2_);
}

bool TfsParser::skip_block(const TCommentPair& pair) {
    if (pair.close.empty() || !starts_with(position_, pair.open)) return false;
    const int close = static_cast<int>(pair.close.size());
    position_ = std::min(position_ + close, size_ + 1);
    while (position_ <= size_ && !starts_with(position_, pair.close))
        ++position_;
    position_ = std::min(position_ + close, size_ + 1);
    return true;
}

bool TfsParser::IsPunctuation(char c) {
    return (c >= '!' && c <= '/') || (c >= ':' && c <= '@') || (c >= '[' && c <= '`') ||
           (c >= '{' && c <= '~');
}

bool TfsParser::IsWordStart(char c) const {
    return is_high(c) || (identifier_charset_[static_cast<unsigned char>(c)] && !is_digit(c));
}

std::string_view TfsParser::ScanWord() {
    if (skip_space_) SkipSpaces();
    const int start = position_;
    const char first = at(position_);
    if (position_ > size_ ||
        !(is_high(first) ||
          (identifier_charset_[static_cast<unsigned char>(first)] && !is_digit(first))))
        return {};
    ++position_;
    while (position_ <= size_ && (is_high(at(position_)) ||
                                  identifier_charset_[static_cast<unsigned char>(at(position_))]))
        ++position_;
    return slice(start, position_);
}

std::string_view TfsParser::ScanIdent() {
    const std::string_view word = ScanWord();
    if (word.empty() || !IsKeyWord(word)) return word;
    position_ -= static_cast<int>(word.size());
    return {};
}

std::string TfsParser::GetWord() {
    return std::string(ScanWord());
}
std::string TfsParser::GetIdent() {
    return std::string(ScanIdent());
}

bool TfsParser::IsKeyWord(std::string_view word) const {
    if (case_sensitive_)
        return std::find(keywords_.begin(), keywords_.end(), word) != keywords_.end();
    return std::binary_search(
        keywords_.begin(), keywords_.end(), word,
        [](std::string_view a, std::string_view b) { return compare_ignoring_case(a, b) < 0; });
}

char TfsParser::ScanChar() {
    const char c = at(position_);
    if (position_ > size_ || !IsPunctuation(c)) return 0;
    ++position_;
    return c;
}

std::string TfsParser::GetChar() {
    const char c = ScanChar();
    return c ? std::string(1, c) : std::string();
}

bool TfsParser::read_digits(bool hex) {
    const int start = position_;
    while (hex ? is_hex_digit(at(position_)) : is_digit(at(position_)))
        ++position_;
    return position_ > start;
}

bool TfsParser::read_unsigned_integer() {
    if (starts_with(position_, hex_sequence_)) {
        position_ += static_cast<int>(hex_sequence_.size());
        return read_digits(true);
    }
    return read_digits(false);
}

bool TfsParser::read_unsigned_real() {
    if (!read_unsigned_integer()) return false;
    if (at(position_) == '.') {
        ++position_;
        if (!read_digits(false)) return false;
    }
    if (at(position_) == 'E' || at(position_) == 'e') {
        const int scale = position_++;
        if (at(position_) == '+' || at(position_) == '-') ++position_;
        if (!read_digits(false)) position_ = scale;
    }
    return true;
}

std::string TfsParser::GetNumber() {
    if (skip_space_) SkipSpaces();
    const int start = position_;
    if (!read_unsigned_real()) {
        position_ = start;
        if (!read_unsigned_integer()) {
            position_ = start;
            return {};
        }
    }
    std::string number(slice(start, position_));
    if (hex_sequence_ != "$" && !hex_sequence_.empty())
        for (std::size_t at = number.find(hex_sequence_); at != std::string::npos;
             at = number.find(hex_sequence_, at + 1))
            number.replace(at, hex_sequence_.size(), 1, '$');
    return number;
}

bool TfsParser::read_quoted(std::string& out) {
    const int start = position_;
    const std::size_t kept = out.size();
    const char quote = string_quotes_.front();
    for (++position_;;) {
        char c = at(position_);
        if (breaks_quoted(c)) break;
        if (c == quote) {
            if (spec_str_char_ || at(position_ + 1) != quote) {
                ++position_;
                return true;
            }
            ++position_; // a doubled quote stands for one
        } else if (spec_str_char_ && c == '\\') {
            c = at(++position_);
            if (breaks_quoted(c)) break;
            if (c == 'x' && is_hex_digit(at(position_ + 1))) {
                const int digits = ++position_;
                read_digits(true);
                out += code_to_char(digits_value(slice(digits, position_), true));
                continue;
            }
            c = c == 'n' ? line_feed : c == 'r' ? carriage_return : c;
        }
        out += c;
        ++position_;
    }
    out.resize(kept);
    position_ = start;
    return false;
}

bool TfsParser::read_control(std::string& out) {
    const int start = position_++;
    const bool hex = starts_with(position_, hex_sequence_);
    if (hex) position_ += static_cast<int>(hex_sequence_.size());
    const int digits = position_;
    if (!read_digits(hex)) {
        position_ = start;
        return false;
    }
    out += code_to_char(digits_value(slice(digits, position_), hex));
    return true;
}

bool TfsParser::read_part(std::string& out) {
    const char c = at(position_);
    if (position_ > size_) return false;
    if (!string_quotes_.empty() && c == string_quotes_.front()) return read_quoted(out);
    return c == '#' && read_control(out);
}

std::string TfsParser::GetString() {
    if (skip_space_) SkipSpaces();
    std::string text;
    bool read = false;
    while (read_part(text))
        read = true;
    if (!read) return {};
    return "'" + text + "'";
}

std::string TfsParser::GetFRString() {
    const int start = position_;
    int depth = 1;
    bool in_double = false, in_single = false;
    for (; position_ <= size_; ++position_) {
        const char c = at(position_);
        if (c == '"' && !in_single) {
            in_double = !in_double;
        } else if (c == '\'' && !in_double) {
            in_single = !in_single;
        } else if (!in_double && !in_single) {
            if (c == '<' || c == '[') ++depth;
            if ((c == '>' || c == ']') && --depth == 0) break;
        }
    }
    return std::string(slice(start, position_));
}

bool TfsParser::GetEOL() {
    if (skip_space_) SkipSpaces();
    if (position_ > size_ || !is_eol(at(position_))) return false;
    skip_eol_run();
    return true;
}

std::string TfsParser::GetXYPosition() const {
    const auto line = std::lower_bound(y_list_.begin(), y_list_.end(), position_);
    const int column = position_ - *(line - 1);
    char text[24];
    char* end = std::to_chars(text, text + 11, line - y_list_.begin()).ptr;
    *end++ = ':';
    end = std::to_chars(end, text + sizeof text, column).ptr;
    return std::string(text, end);
}

int TfsParser::GetPlainPosition(TfsPoint pt) const {
    if (pt.Y < 1 || pt.Y > static_cast<int>(y_list_.size())) return -1;
    return pt.X + y_list_[static_cast<std::size_t>(pt.Y - 1)];
}

} // namespace veltran
