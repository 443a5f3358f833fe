#pragma once
// A document of the engine's restricted XML: one root element, read and
// written with TfsXMLReader and TfsXMLWriter.

#include "engine/xml_item.h"

#include <istream>
#include <ostream>
#include <string>

namespace veltran {

class TfsXMLDocument {
public:
    bool AutoIndent = false;

    TfsXMLItem& Root() { return root_; }
    const TfsXMLItem& Root() const { return root_; }
    void Clear();

    // Raise "Invalid file format" on a malformed document (the root is then
    // left partly read), and the file texts when a file cannot be opened.
    void LoadFromStream(std::istream& stream);
    void LoadFromFile(const std::string& path);
    void SaveToStream(std::ostream& stream) const;
    void SaveToFile(const std::string& path) const;

private:
    TfsXMLItem root_;
};

} // namespace veltran
