#include "shell/request_xml.h"

#include "shell/xml_text.h"

namespace veltran {
namespace {

std::uint8_t byte_value(const pugi::xml_attribute& a) {
    return static_cast<std::uint8_t>(int_value(a));
}

void read_if_present(const pugi::xml_node& e, const char* name, std::int32_t& field) {
    if (const pugi::xml_attribute a = e.attribute(name)) field = int_value(a);
}

void read_if_present(const pugi::xml_node& e, const char* name, std::uint8_t& field) {
    if (const pugi::xml_attribute a = e.attribute(name)) field = byte_value(a);
}

void read_binding(const pugi::xml_node& e, Treqhard& r) {
    if (const pugi::xml_attribute iocp = e.attribute("iocp")) {
        r.iocp_sel = int_value(iocp) == 1;
        r.iocp_offset = r.iocp_sel ? int_value(e.attribute("iocp_offset")) : 0;
        if (r.iocp_sel) read_if_present(e, "iocp_conn", r.iocp_conn);
    }
    if (const pugi::xml_attribute ifly = e.attribute("ifly")) {
        r.ifly_sel = int_value(ifly) == 1;
        r.ifly_offset = r.ifly_sel ? e.attribute("ifly_offset").value() : "";
    }
}

// Every value of the extra configuration is read when present, whatever the type.
void read_extra_values(const pugi::xml_node& e, Treqhard& r) {
    read_if_present(e, "enc_min", r.enc_min);
    read_if_present(e, "enc_max", r.enc_max);
    read_if_present(e, "enc_recursive", r.enc_recursive);
    read_if_present(e, "enc_half", r.enc_half);
    read_if_present(e, "enc_init", r.enc_init);
    read_if_present(e, "enc_speed", r.enc_speed);
    if (const pugi::xml_attribute a = e.attribute("enc_multi")) r.enc_multi = float_value(a);
    read_if_present(e, "in_on", r.in_on);
    read_if_present(e, "in_off", r.in_off);
    read_if_present(e, "in_push_on", r.in_push_on);
    read_if_present(e, "in_push_off", r.in_push_off);
    read_if_present(e, "out_on", r.out_on);
    read_if_present(e, "out_off", r.out_off);
    read_if_present(e, "digits", r.dis_ndigitos);
    if (const pugi::xml_attribute a = e.attribute("nilchar")) r.dis_char = a.value();
    read_if_present(e, "dp", r.dis_dp);
}

void read_numbers(const pugi::xml_node& e, Treqhard& r) {
    switch (r.tipo) {
    case req_encoder:
        read_if_present(e, "in1", r.in1);
        read_if_present(e, "in2", r.in2);
        break;
    case req_input: read_if_present(e, "in1", r.in1); break;
    case req_output: read_if_present(e, "out1", r.out1); break;
    case req_display: read_if_present(e, "display", r.display); break;
    default: break;
    }
}

class TLineBuilder {
public:
    explicit TLineBuilder(char decimal_separator) : separator_(decimal_separator) {
        line_ = "\t\t\t<REQUEST ";
    }
    void add(std::string_view name, std::string_view value) {
        line_ += name;
        line_ += "=\"";
        line_ += escape_attribute(value);
        line_ += "\" ";
    }
    void add(std::string_view name, std::int32_t value) { add(name, std::to_string(value)); }
    void add(std::string_view name, float value) { add(name, float_text(value, separator_)); }
    void add(std::string_view name, bool value) { add(name, std::int32_t(value ? 1 : 0)); }
    std::string finish() { return line_ + "></REQUEST>\r\n"; }

private:
    char separator_;
    std::string line_;
};

void add_numbers(TLineBuilder& line, const Treqhard& r) {
    switch (r.tipo) {
    case req_encoder:
        line.add("in1", std::int32_t(r.in1));
        line.add("in2", std::int32_t(r.in2));
        break;
    case req_input: line.add("in1", std::int32_t(r.in1)); break;
    case req_output: line.add("out1", std::int32_t(r.out1)); break;
    case req_display: line.add("display", std::int32_t(r.display)); break;
    default: break;
    }
}

void add_extra(TLineBuilder& line, const Treqhard& r) {
    line.add("iocp", r.iocp_sel);
    if (r.iocp_sel) line.add("iocp_offset", r.iocp_offset);
    // The reader drops the connection of an unbound request, so it is written
    // as 0: a file read and written again stays the same.
    line.add("iocp_conn", r.iocp_sel ? r.iocp_conn : 0);
    line.add("ifly", r.ifly_sel);
    if (r.ifly_sel) line.add("ifly_offset", r.ifly_offset);
    switch (r.tipo) {
    case req_encoder:
        line.add("enc_min", r.enc_min);
        line.add("enc_max", r.enc_max);
        line.add("enc_recursive", std::int32_t(r.enc_recursive));
        line.add("enc_half", std::int32_t(r.enc_half));
        line.add("enc_init", r.enc_init);
        line.add("enc_speed", r.enc_speed);
        line.add("enc_multi", r.enc_multi);
        break;
    case req_input:
        line.add("in_on", r.in_on);
        line.add("in_off", r.in_off);
        line.add("in_push_on", r.in_push_on);
        line.add("in_push_off", r.in_push_off);
        break;
    case req_output:
        line.add("out_on", r.out_on);
        line.add("out_off", r.out_off);
        break;
    case req_display:
        line.add("digits", r.dis_ndigitos);
        line.add("nilchar", r.dis_char);
        line.add("dp", r.dis_dp);
        break;
    default: break;
    }
}

} // namespace

Treqhard read_request(const pugi::xml_node& e) {
    Treqhard r;
    if (const pugi::xml_attribute type = e.attribute("type")) {
        r.tipo_text = type.value();
        r.tipo = request_type_of(r.tipo_text);
    }
    r.name = e.attribute("name").value();
    r.board = e.attribute("board").value();
    read_numbers(e, r);
    r.extra = int_value(e.attribute("extra")) == 1;
    if (r.extra) {
        read_binding(e, r);
        read_extra_values(e, r);
    }
    if (r.tipo == req_none)
        for (const pugi::xml_attribute& a : e.attributes())
            r.foreign_attributes.emplace_back(a.name(), a.value());
    return r;
}

std::string request_line(const Treqhard& r, char decimal_separator) {
    TLineBuilder line(decimal_separator);
    if (r.tipo == req_none) {
        for (const auto& [name, value] : r.foreign_attributes)
            line.add(name, value);
        return line.finish();
    }
    line.add("type", request_type_text(static_cast<TRequestType>(r.tipo)));
    line.add("name", r.name);
    line.add("board", r.board);
    add_numbers(line, r);
    line.add("extra", r.extra);
    if (r.extra) add_extra(line, r);
    return line.finish();
}

} // namespace veltran
