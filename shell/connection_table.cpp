#include "shell/connection_table.h"

#include "shell/card_list.h"
#include "shell/shell_state.h"
#include "shell/tree_model.h"
#include "shell/xml_text.h"

namespace veltran {
namespace {

constexpr int card_image_stopped = 6;

enum TCardItem { item_status, item_ip, item_port, item_alias, item_interval, item_auto };

const char* yes_no(std::int32_t flag) {
    return flag ? "YES" : "NO";
}

std::string attribute(std::string_view name, std::string_view value) {
    std::string text(" ");
    text.append(name).append("=\"").append(escape_attribute(value)).append("\"");
    return text;
}

std::string attribute(std::string_view name, std::int32_t value) {
    return attribute(name, std::to_string(value));
}

} // namespace

TCardList make_connection_card_list() {
    return TCardList({"Status:", "IP:", "Port:", "Alias:", "FSUIPC Interval", "Autoconnect"},
                     {"Loading...."});
}

TConnectionTable::TConnectionTable(TShell& shell, THardwareTree& tree, TCardList& cards)
    : shell_(shell), tree_(tree), cards_(cards) {}

Tconexfs& TConnectionTable::fill(int index, std::int32_t tipo, const std::string& caption) {
    Tconexfs& s = array_conexiones_[index];
    s.tipo = tipo;
    s.estado = -1;
    s.card = cards_.add(caption);
    s.card->image = card_image_stopped;
    s.card->items[item_status] = "Stop";
    s.nodo =
        communications_ ? communications_->add_child(caption, tree_image::connection) : nullptr;
    return s;
}

void TConnectionTable::Add_card(std::int32_t tipo, const std::string& titulo, const std::string& ip,
                                const std::string& port, const std::string& alias,
                                std::int32_t interval, std::int32_t auto_connect) {
    switch (tipo) {
    case conn_iocp: {
        if (total_iocp_ >= max_iocp_clients) return;
        const int n = ++total_iocp_;
        Tconexfs& s = fill(n, conn_iocp, std::to_string(n) + " - " + titulo + " (IOCP)");
        s.name = titulo, s.ip = ip, s.port = port, s.alias = alias;
        s.card->items = {"Stop", ip, port, alias, "N/A", yes_no(auto_connect)};
        s.auto_ = auto_connect;
        return;
    }
    case conn_fsuipc:
    case conn_ifly: {
        int& total = tipo == conn_fsuipc ? total_fsuipc_ : total_ifly_;
        if (total) return;
        const bool fsuipc = tipo == conn_fsuipc;
        const std::string caption =
            fsuipc ? "0 - " + titulo + " (FSUIPC)" : "10 - " + titulo + " (IFLY)";
        Tconexfs& s = fill(fsuipc ? fsuipc_slot : ifly_slot, tipo, caption);
        s.name = titulo;
        s.card->items = {
            "Stop", "N/A", "N/A", "N/A", std::to_string(interval), yes_no(auto_connect)};
        s.auto_ = auto_connect;
        s.interval = interval;
        total = 1;
        return;
    }
    case conn_iocp_server: {
        if (total_iocp_server_) return;
        Tconexfs& s = fill(iocp_server_slot, conn_iocp_server, "11 - " + titulo + " (IOCP SERVER)");
        s.name = titulo, s.ip = ip, s.port = port, s.alias = alias;
        s.card->items = {"Stop", "N/A", port, alias, "N/A", "N/A"};
        s.auto_ = auto_connect;
        s.interval = interval;
        total_iocp_server_ = 1;
        return;
    }
    default: return;
    }
}

void TConnectionTable::add_element(const pugi::xml_node& e) {
    if (!e.attribute("id")) return;
    const std::string_view kind = e.name();
    const std::string title = e.attribute("Title").value();
    const std::int32_t interval = int_value(e.attribute("Interval"));
    const std::int32_t auto_connect = int_value(e.attribute("Auto_Connection"));
    if (kind == "FSUIPC")
        Add_card(conn_fsuipc, title, "N/A", "N/A", "N/A", interval, auto_connect);
    else if (kind == "IOCP")
        Add_card(conn_iocp, title, e.attribute("IP").value(), e.attribute("Port").value(),
                 e.attribute("Alias").value(), 0, auto_connect);
    else if (kind == "IFLY")
        Add_card(conn_ifly, title, "N/A", "N/A", "N/A", interval, auto_connect);
    else if (kind == "IOCP_SERVER")
        Add_card(conn_iocp_server, title, "N/A", e.attribute("Port").value(),
                 e.attribute("Alias").value(), 0, 0);
}

void TConnectionTable::cargar_proyecto(const pugi::xml_node& project, TTreeNode* project_node) {
    communications_ = project_node->find_child("Communications");
    if (!communications_)
        communications_ = project_node->add_child("Communications", tree_image::communications);
    communications_->delete_children();
    for (const pugi::xml_node& connections : project.children("Connections"))
        for (const pugi::xml_node& element : connections.children())
            add_element(element);
    communications_->expanded = true;
    shell_.modified = false;
}

std::string TConnectionTable::connections_text() const {
    auto holds = [this](int index, std::int32_t kind) {
        return array_conexiones_[index].tipo == kind;
    };
    int clients = 0;
    for (int j = 1; j <= max_iocp_clients; ++j)
        clients += holds(j, conn_iocp);

    std::string out = "\t<Connections" +
                      attribute("nIOCPSERVER", holds(iocp_server_slot, conn_iocp_server)) +
                      attribute("nIfly", holds(ifly_slot, conn_ifly)) +
                      attribute("nFsuipc", holds(fsuipc_slot, conn_fsuipc)) +
                      attribute("nIocp", clients) + ">\r\n";
    auto polled = [&](const char* element, int index) {
        const Tconexfs& s = array_conexiones_[index];
        out += std::string("\t\t<") + element + attribute("id", index) +
               attribute("Title", s.name) + attribute("Interval", s.interval) +
               attribute("Auto_Connection", s.auto_) + "></" + element + ">\r\n";
    };
    if (holds(fsuipc_slot, conn_fsuipc)) polled("FSUIPC", fsuipc_slot);
    if (holds(ifly_slot, conn_ifly)) polled("IFLY", ifly_slot);
    if (holds(iocp_server_slot, conn_iocp_server)) {
        const Tconexfs& s = array_conexiones_[iocp_server_slot];
        out += "\t\t<IOCP_SERVER" + attribute("id", iocp_server_slot) + attribute("Title", s.name) +
               attribute("Port", s.port) + attribute("Alias", s.alias) + "></IOCP_SERVER>\r\n";
    }
    for (int j = 1; j <= max_iocp_clients; ++j) {
        if (!holds(j, conn_iocp)) continue;
        const Tconexfs& s = array_conexiones_[j];
        out += "\t\t<IOCP" + attribute("id", j) + attribute("Title", s.name) +
               attribute("IP", s.ip) + attribute("Port", s.port) + attribute("Alias", s.alias) +
               attribute("Auto_Connection", s.auto_) + "></IOCP>\r\n";
    }
    out += "\t</Connections>\r\n";
    return out;
}

void TConnectionTable::Clear() {
    cards_.clear();
    for (Tconexfs& s : array_conexiones_)
        s.card = nullptr;
}

void TConnectionTable::cerrar_proyecto() {
    if (communications_) tree_.delete_node(communications_);
    communications_ = nullptr;
    for (Tconexfs& s : array_conexiones_) {
        s.tipo = conn_empty;
        s.nodo = nullptr;
    }
    total_fsuipc_ = total_ifly_ = total_iocp_server_ = total_iocp_ = 0;
}

} // namespace veltran
