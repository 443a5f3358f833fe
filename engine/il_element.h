#pragma once
// Reading the elements of an IL tree: their names (compared ignoring case),
// the token text and the position text.

#include "engine/codepage.h"
#include "engine/text.h"
#include "engine/xml_item.h"

#include <string>
#include <string_view>

namespace veltran {

inline bool il_is(const TfsXMLItem& e, std::string_view name) {
    return same_text_ignoring_case(e.Name, name);
}

inline std::string il_text(const TfsXMLItem& e) {
    return e.Prop("text");
}

inline std::string il_pos(const TfsXMLItem& e) {
    return e.Prop("pos");
}

// A name from the script (8-bit text) in single quotes, for a UTF-8 message.
inline std::string quoted(std::string_view name) {
    std::string text(1, '\'');
    text.append(cp1252_to_utf8(name)).push_back('\'');
    return text;
}

// The first child of that name, or null.
inline const TfsXMLItem* il_child(const TfsXMLItem& e, std::string_view name) {
    const int i = e.Find(name);
    return i < 0 ? nullptr : &e.Items(i);
}

} // namespace veltran
