#pragma once
// Writes the engine's restricted XML to a stream: attribute text as UTF-8,
// buffered in blocks; with AutoIndent one element per CR LF line, indented
// by two blanks per level.

#include "engine/xml_item.h"

#include <ostream>
#include <string>
#include <string_view>

namespace veltran {

class TfsXMLWriter {
public:
    explicit TfsXMLWriter(std::ostream& stream);

    bool AutoIndent = false;

    void WriteHeader();
    // Writes the element and its subtree, then flushes the buffer.
    void WriteRootItem(const TfsXMLItem& root);

private:
    void write_open(const TfsXMLItem& item, int level);
    void write_close(const TfsXMLItem& item, int level);
    void begin_line(int level);
    void end_line();
    void flush_if_full();
    void flush();

    std::ostream& stream_;
    std::string buffer_;
};

} // namespace veltran
