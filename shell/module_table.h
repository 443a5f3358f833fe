#pragma once
// The module slots of a project with their requests, and the project's
// globals: everything the module manager keeps of a project besides running it.

#include "shell/code_module.h"
#include "shell/shell_view.h"

#include <array>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace veltran {

class TShell;
class THardwareTree;
class TTreeNode;
class TCardList;
struct TCard;

struct Tglobales {
    std::string name;
    std::string value;
};

struct TModuleSlot {
    TCard* card = nullptr; // null: the slot is not in use (deleted or never filled)
    std::unique_ptr<TCodeModule> host;
    bool active = false;
    TTreeNode* tree_node = nullptr;
    bool encrypted = false;
};

// What the request dialog holds when it creates or changes a request.
struct TRequestDialogValues {
    std::string board, name, type_text;
    int type_index = 0;                  // 0 ENCODER .. 3 DISPLAY
    std::string in1, in2, out1, display; // number boxes; empty reads as 0
    bool extra = false;
    bool iocp_offset_button = false;
    int connection_index = 0; // "1".."9", "SERVER"
    int iocp_offset = 0;
    bool ifly_command_button = false;
    std::string ifly_name;
    int enc_min = 0, enc_max = 0, enc_init = 0, enc_speed = 0;
    float enc_multi = 0;
    int enc_recursive_index = 0, enc_half_index = 0; // NO/YES lists
    int in_on = 0, in_off = 0;
    bool push_button_on = false, push_button_off = false;
    int out_on = 0, out_off = 0;
    int digits_index = 0, dp_index = 0; // "0".."8" lists
    std::string nil_character;
};

class TModuleTable {
public:
    static constexpr int slot_count = 1001;

    TModuleTable(TShell& shell, THardwareTree& tree, TCardList& cards);
    virtual ~TModuleTable();
    TModuleTable(const TModuleTable&) = delete;
    TModuleTable& operator=(const TModuleTable&) = delete;

    int cont_codigos() const { return count_; }
    TModuleSlot& slot(int index) { return slots_[index]; }
    const TModuleSlot& slot(int index) const { return slots_[index]; }
    bool in_use(int index) const { return index >= 0 && index < count_ && slots_[index].card; }
    TTreeNode* software_codes() const { return software_codes_; }
    const std::vector<Tglobales>& globales() const { return globals_; }

    // Reading a project: the Modules element of version 72 files, the
    // Modules element of older files (texts from the files they name, relative
    // to project_folder; raises TFileError), and the Globals elements.
    void read_modules(const pugi::xml_node& project, TTreeNode* project_node,
                      const std::string& project_file);
    void read_old_modules(const pugi::xml_node& project, TTreeNode* project_node,
                          const std::string& project_file, const std::string& project_folder);
    void read_globals(const pugi::xml_node& project);

    // Returns the new slot, or -1 when every slot is taken.
    int add_newcode(const std::string& title);
    void borrar_code(std::string_view title);
    void borrar_todos();
    int dame_idcodigo(std::string_view title) const;
    int get_id(std::string_view text) const;
    bool esta_request(int slot, std::string_view name) const;
    int suma_request(int slot);
    bool add_new_request(int slot, int index, bool modify, const TRequestDialogValues& values);
    // Asks for every request of the node's module that has the node's name,
    // and marks the confirmed ones deleted.
    void delete_request(const TTreeNode* request_node, TAsker& asker);
    void add_global(std::string name, std::string value);
    void encrypt_code(int slot, bool flag) { slots_[slot].encrypted = flag; }
    // Returns false when nothing was written (declined, or no such module).
    bool export_code(std::string file_name, int slot, TAsker& asker);
    // Returns the new slot, or -1 when the file holds no module.
    int import_code(const std::string& file_name);

    void Clear();
    virtual void cerrar_proyecto();
    // A table without a module host runs nothing, so there is nothing to stop.
    virtual void Stop_all() {}
    // Before a save: the module takes the text of its editor page.
    virtual void point_at_editor(int /*slot*/) {}

protected:
    // The module host of a new slot.
    virtual std::unique_ptr<TCodeModule> create_host();
    TShell& shell() { return shell_; }

private:
    int fill_slot(const std::string& title, std::string text, const std::string& filename);
    void add_request(int slot, Treqhard request);
    void reset_software_codes(TTreeNode* project_node);
    void free_slot_view(TModuleSlot& slot);

    TShell& shell_;
    THardwareTree& tree_;
    TCardList& cards_;
    std::array<TModuleSlot, slot_count> slots_;
    int count_ = 0;
    TTreeNode* software_codes_ = nullptr;
    std::vector<Tglobales> globals_;
};

} // namespace veltran
