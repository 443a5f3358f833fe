#pragma once
// The script tokenizer: blanks and comments, identifiers, keywords, numbers,
// string literals, punctuation, and position texts ("line:column", both
// 1-based) through a table of line starts. Text is 8-bit (Windows-1252).
// Positions are 1-based; the text carries a NUL after its last character,
// so every reader stops there.

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

namespace veltran {

using TfsIdentifierCharset = std::bitset<256>;

struct TfsPoint {
    int X = 0; // column
    int Y = 0; // line
};

// "3:5" gives line 3, column 5; an empty text gives 0, 0.
TfsPoint PosToPoint(std::string_view pos);

class TfsParser {
public:
    TfsParser();

    // Empties the keyword list and restores every default setting; the text
    // and position stay.
    void Clear();

    bool CaseSensitive() const { return case_sensitive_; }
    void SetCaseSensitive(bool value) { case_sensitive_ = value; }
    // Block comments as "open,close"; a pair without a close half is ignored.
    const std::string& CommentBlock1() const { return block1_.pair; }
    void SetCommentBlock1(std::string_view value);
    const std::string& CommentBlock2() const { return block2_.pair; }
    void SetCommentBlock2(std::string_view value);
    const std::string& CommentLine1() const { return comment_line1_; }
    void SetCommentLine1(std::string_view value);
    const std::string& CommentLine2() const { return comment_line2_; }
    void SetCommentLine2(std::string_view value);
    const std::string& HexSequence() const { return hex_sequence_; }
    void SetHexSequence(std::string_view value) { hex_sequence_ = value; }
    TfsIdentifierCharset& IdentifierCharset() { return identifier_charset_; }
    const std::vector<std::string>& Keywords() const { return keywords_; }
    void AddKeyword(std::string_view word);
    const std::string& SkiPChar() const { return skip_char_; }
    void SetSkiPChar(std::string_view value);
    bool SkipEOL() const { return skip_eol_; }
    void SetSkipEOL(bool value);
    bool SkipSpace() const { return skip_space_; }
    void SetSkipSpace(bool value) { skip_space_ = value; }
    const std::string& StringQuotes() const { return string_quotes_; }
    void SetStringQuotes(std::string_view value) { string_quotes_ = value; }
    bool SpecStrChar() const { return spec_str_char_; }
    void SetSpecStrChar(bool value) { spec_str_char_ = value; }
    bool UseY() const { return use_y_; }
    void SetUseY(bool value) { use_y_ = value; }

    std::string_view Text() const { return std::string_view(text_).substr(0, size_); }
    void SetText(std::string_view text);
    int Position() const { return position_; }
    // Sets the current and the last position, kept within 1 .. size + 1.
    void SetPosition(int position);
    int LastPosition() const { return last_position_; }
    int Size() const { return size_; }

    void ConstructCharset(std::string_view chars);
    void SkipSpaces();

    std::string GetIdent();
    std::string GetWord();
    bool IsKeyWord(std::string_view word) const;
    std::string GetChar();
    std::string GetNumber();
    std::string GetString();
    std::string GetFRString();
    bool GetEOL();
    std::string GetXYPosition() const;
    // 1-based position of column pt.X on line pt.Y, or -1 without that line.
    int GetPlainPosition(TfsPoint pt) const;

    // Punctuation as GetChar reads it; the first character of a word.
    static bool IsPunctuation(char c);
    bool IsWordStart(char c) const;

    // The same readers without copying: views into the text, or the
    // punctuation character (0 when there is none).
    std::string_view ScanIdent();
    std::string_view ScanWord();
    char ScanChar();

private:
    struct TCommentPair {
        std::string pair, open, close;
    };
    static void set_pair(TCommentPair& pair, std::string_view value);

    char at(int position) const { return text_[static_cast<std::size_t>(position - 1)]; }
    bool starts_with(int position, std::string_view s) const;
    std::string_view slice(int from, int to) const;
    bool is_blank(char c) const;
    bool skip_comment();
    bool skip_block(const TCommentPair& pair);
    void skip_eol_run();
    bool read_digits(bool hex);
    bool read_unsigned_integer();
    bool read_unsigned_real();
    bool read_quoted(std::string& out);
    bool read_control(std::string& out);
    bool read_part(std::string& out);
    void forget_skip() { skip_from_ = 0; }

    bool case_sensitive_;
    TCommentPair block1_, block2_;
    std::string comment_line1_, comment_line2_;
    std::string hex_sequence_;
    TfsIdentifierCharset identifier_charset_;
    std::vector<std::string> keywords_; // sorted ignoring ASCII case
    int last_position_ = 1;
    int position_ = 1;
    int size_ = 0;
    std::string skip_char_;
    bool skip_eol_;
    bool skip_space_;
    std::string string_quotes_;
    std::string text_{'\0'};
    bool use_y_;
    std::vector<int> y_list_{0};
    bool spec_str_char_;
    // The walker asks for the same blank skip many times while it tries
    // alternatives; the last one is remembered (0: none).
    int skip_from_ = 0;
    int skip_to_ = 0;
};

} // namespace veltran
