#include "engine/xml_reader.h"

#include "engine/codepage.h"
#include "engine/script_error.h"
#include "engine/text.h"

#include <vector>

namespace veltran {
namespace {

constexpr int end_of_stream = std::char_traits<char>::eof();

bool is_blank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool is_comment(const std::string& body) {
    return body.starts_with("!--");
}

bool comment_closed(const std::string& body) {
    return body.size() >= 5 && body.ends_with("--");
}

} // namespace

TfsXMLReader::TfsXMLReader(std::istream& stream) : buffer_(stream.rdbuf()) {
    if (!buffer_) RaiseException();
}

void TfsXMLReader::RaiseException() const {
    throw TfsError("Invalid file format");
}

bool TfsXMLReader::skip_to_tag() {
    for (int c = buffer_->sbumpc(); c != end_of_stream; c = buffer_->sbumpc())
        if (c == '<') return true;
    return false;
}

void TfsXMLReader::read_tag_body(std::string& body) {
    for (int c = buffer_->sbumpc();; c = buffer_->sbumpc()) {
        if (c == end_of_stream) RaiseException();
        if (c == '>' && (!is_comment(body) || comment_closed(body))) return;
        if (c == '<' && !is_comment(body)) RaiseException();
        body += static_cast<char>(c);
    }
}

// The next tag that is not a comment; raises at the end of the stream.
TfsXMLReader::TTag TfsXMLReader::read_tag() {
    std::string body;
    do {
        if (!skip_to_tag()) RaiseException();
        body.clear();
        read_tag_body(body);
    } while (is_comment(body));

    TTag tag;
    std::size_t name_end = 0;
    while (name_end < body.size() && !is_blank(body[name_end]))
        ++name_end;
    tag.name = body.substr(0, name_end);
    std::string_view rest = trim_view(std::string_view(body).substr(name_end));
    if (rest.empty() && tag.name.ends_with('/')) {
        tag.name.pop_back();
        tag.empty = true;
    } else if (rest.ends_with('/')) {
        rest = trim_view(rest.substr(0, rest.size() - 1));
        tag.empty = true;
    }
    tag.attributes = utf8_to_cp1252(rest);
    return tag;
}

void TfsXMLReader::ReadHeader() {
    if (!read_tag().name.starts_with("?xml")) RaiseException();
}

void TfsXMLReader::ReadRootItem(TfsXMLItem& item) {
    TTag tag = read_tag();
    if (tag.closing()) RaiseException();
    item.Name = std::move(tag.name);
    item.Text = std::move(tag.attributes);
    if (tag.empty) return;
    // Elements still waiting for their closing tag, innermost last.
    std::vector<TfsXMLItem*> open{&item};
    while (!open.empty()) {
        tag = read_tag();
        if (tag.closing()) {
            if (!same_text_ignoring_case(std::string_view(tag.name).substr(1), open.back()->Name))
                RaiseException();
            open.pop_back();
            continue;
        }
        TfsXMLItem& child = open.back()->Add();
        child.Name = std::move(tag.name);
        child.Text = std::move(tag.attributes);
        if (!tag.empty) open.push_back(&child);
    }
}

} // namespace veltran
