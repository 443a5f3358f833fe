#include "engine/xml_document.h"

#include "engine/script_error.h"
#include "engine/xml_reader.h"
#include "engine/xml_writer.h"

#include <fstream>

namespace veltran {

void TfsXMLDocument::Clear() {
    root_.Clear();
    root_.Name.clear();
    root_.Text.clear();
    root_.Data = nullptr;
}

void TfsXMLDocument::LoadFromStream(std::istream& stream) {
    Clear();
    TfsXMLReader reader(stream);
    reader.ReadHeader();
    reader.ReadRootItem(root_);
}

void TfsXMLDocument::LoadFromFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw cannot_open_file(path);
    LoadFromStream(file);
}

void TfsXMLDocument::SaveToStream(std::ostream& stream) const {
    TfsXMLWriter writer(stream);
    writer.AutoIndent = AutoIndent;
    writer.WriteHeader();
    writer.WriteRootItem(root_);
}

void TfsXMLDocument::SaveToFile(const std::string& path) const {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) throw TfsError("Cannot create file \"" + path + "\"");
    SaveToStream(file);
}

} // namespace veltran
