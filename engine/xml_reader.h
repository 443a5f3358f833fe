#pragma once
// Reads the engine's restricted XML from a stream: elements and attributes,
// comments and text between elements skipped. Any break of the format raises
// "Invalid file format". Nesting depth is limited only by memory.

#include "engine/xml_item.h"

#include <istream>
#include <string>

namespace veltran {

class TfsXMLReader {
public:
    // Reads from the stream's current position; when done, the stream stands
    // just after the last byte consumed.
    explicit TfsXMLReader(std::istream& stream);

    // The first item must be the "<?xml ...?>" declaration.
    void ReadHeader();
    // Reads the next element, with all its children, into item.
    void ReadRootItem(TfsXMLItem& item);
    [[noreturn]] void RaiseException() const;

private:
    struct TTag {
        std::string name;
        std::string attributes; // decoded to 8-bit text
        bool empty = false;     // written <name .../>
        bool closing() const { return !name.empty() && name.front() == '/'; }
    };

    TTag read_tag();
    bool skip_to_tag();
    void read_tag_body(std::string& body);

    std::streambuf* buffer_;
};

} // namespace veltran
