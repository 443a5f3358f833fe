#pragma once
// The project's twelve connection slots as the project file holds them:
// 0 FSUIPC, 1..9 IOCP clients, 10 iFly, 11 IOCP server. The connection
// manager adds the links themselves on top of this table.

#include <array>
#include <cstdint>
#include <pugixml.hpp>
#include <string>

namespace veltran {

class TShell;
class THardwareTree;
class TTreeNode;
class TCardList;
struct TCard;

enum TConnectionKind : std::int32_t {
    conn_empty = 0,
    conn_iocp = 1,
    conn_fsuipc = 2,
    conn_ifly = 3,
    conn_iocp_server = 4,
};

inline constexpr int fsuipc_slot = 0;
inline constexpr int ifly_slot = 10;
inline constexpr int iocp_server_slot = 11;
inline constexpr int max_iocp_clients = 9;

struct Tconexfs {
    std::int32_t tipo = conn_empty;
    std::string name;
    std::string ip;
    std::string port;
    std::string alias;
    std::int32_t interval = 0;
    std::int32_t estado = -1;
    TCard* card = nullptr;
    std::int32_t auto_ = 0;
    TTreeNode* nodo = nullptr;
};

// The connection card list's template: its item captions and defaults.
TCardList make_connection_card_list();

class TConnectionTable {
public:
    TConnectionTable(TShell& shell, THardwareTree& tree, TCardList& cards);
    virtual ~TConnectionTable() = default;
    TConnectionTable(const TConnectionTable&) = delete;
    TConnectionTable& operator=(const TConnectionTable&) = delete;

    const Tconexfs& slot(int index) const { return array_conexiones_[index]; }
    Tconexfs& slot(int index) { return array_conexiones_[index]; }
    TTreeNode* communications() const { return communications_; }
    int total_iocp() const { return total_iocp_; }

    // Reads the Connections element of a project below its project node.
    void cargar_proyecto(const pugi::xml_node& project, TTreeNode* project_node);
    void Add_card(std::int32_t tipo, const std::string& titulo, const std::string& ip,
                  const std::string& port, const std::string& alias, std::int32_t interval,
                  std::int32_t auto_connect);
    // The Connections element as the project writer lays it out.
    std::string connections_text() const;

    void Clear();
    virtual void cerrar_proyecto();
    // A table without links has nothing to stop.
    virtual void Stop_all() {}

protected:
    TShell& shell() { return shell_; }

private:
    Tconexfs& fill(int index, std::int32_t tipo, const std::string& caption);
    void add_element(const pugi::xml_node& element);

    TShell& shell_;
    THardwareTree& tree_;
    TCardList& cards_;
    std::array<Tconexfs, 12> array_conexiones_;
    int total_fsuipc_ = 0;
    int total_ifly_ = 0;
    int total_iocp_server_ = 0;
    int total_iocp_ = 0;
    TTreeNode* communications_ = nullptr;
};

} // namespace veltran
