#include "engine/xml_writer.h"

#include "engine/codepage.h"
#include "engine/script_error.h"

#include <utility>
#include <vector>

namespace veltran {
namespace {

constexpr std::size_t block_size = 4096;

} // namespace

TfsXMLWriter::TfsXMLWriter(std::ostream& stream) : stream_(stream) {}

void TfsXMLWriter::WriteHeader() {
    buffer_ += R"(<?xml version="1.0"?>)";
    end_line();
    flush();
}

void TfsXMLWriter::WriteRootItem(const TfsXMLItem& root) {
    // Iterative walk: each entry is an element and the index of its next child.
    std::vector<std::pair<const TfsXMLItem*, int>> open;
    write_open(root, 0);
    if (root.Count()) open.emplace_back(&root, 0);
    while (!open.empty()) {
        auto& [item, next] = open.back();
        const int level = static_cast<int>(open.size());
        if (next == item->Count()) {
            write_close(*item, level - 1);
            open.pop_back();
            continue;
        }
        const TfsXMLItem& child = item->Items(next++);
        write_open(child, level);
        if (child.Count()) open.emplace_back(&child, 0);
        flush_if_full();
    }
    flush();
}

void TfsXMLWriter::write_open(const TfsXMLItem& item, int level) {
    begin_line(level);
    buffer_ += '<';
    buffer_ += item.Name;
    if (!item.Text.empty()) {
        buffer_ += ' ';
        buffer_ += cp1252_to_utf8(item.Text);
    }
    buffer_ += item.Count() ? ">" : "/>";
    end_line();
}

void TfsXMLWriter::write_close(const TfsXMLItem& item, int level) {
    begin_line(level);
    buffer_ += "</";
    buffer_ += item.Name;
    buffer_ += '>';
    end_line();
}

void TfsXMLWriter::begin_line(int level) {
    if (AutoIndent) buffer_.append(static_cast<std::size_t>(level) * 2, ' ');
}

void TfsXMLWriter::end_line() {
    if (AutoIndent) buffer_ += "\r\n";
}

void TfsXMLWriter::flush_if_full() {
    if (buffer_.size() > block_size) flush();
}

void TfsXMLWriter::flush() {
    stream_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
    if (!stream_) throw TfsError("Stream write error");
}

} // namespace veltran
