#include "shell/module_table.h"

#include "engine/codepage.h"
#include "engine/text.h"
#include "shell/base64.h"
#include "shell/card_list.h"
#include "shell/code_file.h"
#include "shell/file_io.h"
#include "shell/log_channel.h"
#include "shell/request_xml.h"
#include "shell/shell_state.h"
#include "shell/tree_model.h"
#include "shell/xml_text.h"

#include <algorithm>
#include <filesystem>

namespace veltran {
namespace {

constexpr std::size_t max_board_length = 17;
// Card image of a module that is loaded, compiled or stopped.
constexpr int card_image_idle = 6;

bool same_title(std::string_view a, std::string_view b) {
    return upper_ascii(trim_view(a)) == upper_ascii(trim_view(b));
}

int box_number(const std::string& box) {
    try {
        return box.empty() ? 0 : std::stoi(box);
    } catch (const std::exception&) {
        return 0;
    }
}

// Module texts keep '\n' between lines, whatever the file used.
std::string with_newlines(std::string_view text) {
    std::string out;
    for (std::string_view line : split_lines(text)) {
        out += line;
        out += '\n';
    }
    if (!out.empty()) out.pop_back();
    return out;
}

// A module file of an old project: UTF-8 where it is valid UTF-8, else the
// 8-bit code page.
std::string module_file_text(const std::string& path) {
    std::string bytes = read_file_or_raise(path);
    std::string_view view = bytes;
    if (view.starts_with("\xEF\xBB\xBF")) view.remove_prefix(3);
    return with_newlines(is_valid_utf8(view) ? std::string(view) : cp1252_to_utf8(view));
}

std::string old_module_path(const std::string& folder, std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    if (!folder.empty() && !name.starts_with('/')) return folder + "/" + name;
    return name;
}

} // namespace

TModuleTable::TModuleTable(TShell& shell, THardwareTree& tree, TCardList& cards)
    : shell_(shell), tree_(tree), cards_(cards) {}

TModuleTable::~TModuleTable() = default;

std::unique_ptr<TCodeModule> TModuleTable::create_host() {
    return std::make_unique<TCodeModule>();
}

int TModuleTable::fill_slot(const std::string& title, std::string text,
                            const std::string& filename) {
    if (count_ >= slot_count) {
        shell_.add_log(log_error_code, "Error in CODE \"" + title +
                                           "\", Error type= no free module slot (at most " +
                                           std::to_string(slot_count) + " modules)");
        return -1;
    }
    const int index = count_++;
    TModuleSlot& s = slots_[index];
    s.card = cards_.add(title);
    s.card->items = {"Loaded", "0 Hz"};
    s.card->image = card_image_idle;
    s.host = create_host();
    s.host->Code_ = std::move(text);
    s.host->id_code = index;
    s.host->name_code = title;
    s.host->filename = filename;
    s.host->card = s.card;
    s.active = true;
    s.encrypted = false;
    s.tree_node = software_codes_ ? software_codes_->add_child(title, tree_image::module) : nullptr;
    return index;
}

void TModuleTable::add_request(int slot, Treqhard request) {
    TModuleSlot& s = slots_[slot];
    if (!request.tipo_text.empty() && s.tree_node)
        request.nodo_request =
            s.tree_node->add_child(request.name, tree_image::request_base + request.tipo);
    s.host->requests.push_back(std::move(request));
}

void TModuleTable::reset_software_codes(TTreeNode* project_node) {
    software_codes_ = project_node->find_child("Software CODES");
    if (!software_codes_)
        software_codes_ = project_node->add_child("Software CODES", tree_image::software_codes);
    software_codes_->delete_children();
    count_ = 0;
}

void TModuleTable::read_modules(const pugi::xml_node& project, TTreeNode* project_node,
                                const std::string& project_file) {
    reset_software_codes(project_node);
    for (const pugi::xml_node& modules : project.children("Modules")) {
        for (const pugi::xml_node& code : modules.children("Code")) {
            const int index =
                fill_slot(code.attribute("Title").value(), std::string(), project_file);
            if (index < 0) return;
            TModuleSlot& s = slots_[index];
            s.encrypted = int_value(code.attribute("encrypted")) == 1;
            for (const pugi::xml_node& child : code.children()) {
                if (std::string_view(child.name()) == "PASCAL")
                    s.host->Code_ =
                        s.encrypted
                            ? with_newlines(cp1252_to_utf8(decode_base64(element_text(child))))
                            : element_text(child);
                else if (std::string_view(child.name()) == "REQUEST")
                    add_request(index, read_request(child));
            }
        }
    }
    software_codes_->expanded = true;
}

void TModuleTable::read_old_modules(const pugi::xml_node& project, TTreeNode* project_node,
                                    const std::string& project_file,
                                    const std::string& project_folder) {
    reset_software_codes(project_node);
    for (const pugi::xml_node& modules : project.children("Modules")) {
        for (const pugi::xml_node& code : modules.children("Code")) {
            std::string text = module_file_text(
                old_module_path(project_folder, code.attribute("Filename").value()));
            if (fill_slot(code.attribute("Title").value(), std::move(text), project_file) < 0)
                return;
        }
    }
    software_codes_->expanded = true;
}

void TModuleTable::read_globals(const pugi::xml_node& project) {
    globals_.clear();
    for (const pugi::xml_node& g : project.children("Globals")) {
        Tglobales global{g.attribute("name").value(), g.attribute("value").value()};
        if (software_codes_)
            software_codes_->add_child(global.name, tree_image::global)
                ->add_child(global.value, tree_image::global_value);
        globals_.push_back(std::move(global));
    }
}

int TModuleTable::add_newcode(const std::string& title) {
    const int index = fill_slot(title, new_code_template(title), std::string());
    if (index < 0) return index;
    if (software_codes_) software_codes_->expanded = true;
    shell_.modified = true;
    return index;
}

void TModuleTable::free_slot_view(TModuleSlot& s) {
    cards_.remove(s.card);
    s.card = nullptr;
    s.host->card = nullptr;
    s.active = false;
    for (Treqhard& r : s.host->requests)
        r.nodo_request = nullptr;
    tree_.delete_node(s.tree_node);
    s.tree_node = nullptr;
}

void TModuleTable::borrar_code(std::string_view title) {
    for (int i = 0; i < count_; ++i)
        if (slots_[i].card && slots_[i].tree_node && slots_[i].tree_node->text == title)
            free_slot_view(slots_[i]);
    shell_.modified = true;
}

void TModuleTable::borrar_todos() {
    for (int i = 0; i < count_; ++i)
        if (slots_[i].card) free_slot_view(slots_[i]);
    if (software_codes_) software_codes_->delete_children();
    count_ = 0;
    shell_.modified = true;
}

int TModuleTable::dame_idcodigo(std::string_view title) const {
    for (int i = count_ - 1; i >= 0; --i)
        if (slots_[i].host && same_title(slots_[i].host->name_code, title)) return i;
    return -1;
}

int TModuleTable::get_id(std::string_view text) const {
    for (int i = count_ - 1; i >= 0; --i)
        if (slots_[i].card && slots_[i].tree_node && slots_[i].tree_node->text == text) return i;
    return -1;
}

bool TModuleTable::esta_request(int slot, std::string_view name) const {
    const auto& requests = slots_[slot].host->requests;
    return std::any_of(requests.begin(), requests.end(), [name](const Treqhard& r) {
        return !r.borrado && same_title(r.name, name);
    });
}

int TModuleTable::suma_request(int slot) {
    auto& requests = slots_[slot].host->requests;
    requests.emplace_back();
    return static_cast<int>(requests.size());
}

bool TModuleTable::add_new_request(int slot, int index, bool modify,
                                   const TRequestDialogValues& v) {
    TModuleSlot& s = slots_[slot];
    Treqhard& r = s.host->requests[index];
    r.board = v.board.size() > max_board_length - 1 ? v.board.substr(0, max_board_length) : v.board;
    r.in1 = static_cast<std::uint8_t>(box_number(v.in1));
    r.in2 = static_cast<std::uint8_t>(box_number(v.in2));
    r.out1 = static_cast<std::uint8_t>(box_number(v.out1));
    r.display = static_cast<std::uint8_t>(box_number(v.display));
    r.name = v.name;
    r.tipo = static_cast<std::uint8_t>(v.type_index + 1);
    r.tipo_text = v.type_text;
    r.borrado = false;
    r.extra = v.extra;
    r.iocp_sel = v.iocp_offset_button;
    r.iocp_conn = v.connection_index + 1;
    r.iocp_offset = v.iocp_offset;
    r.ifly_sel = v.ifly_command_button;
    r.ifly_offset = v.ifly_name;
    r.enc_min = v.enc_min;
    r.enc_max = v.enc_max;
    r.enc_init = v.enc_init;
    r.enc_speed = v.enc_speed;
    r.enc_multi = v.enc_multi;
    r.enc_recursive = static_cast<std::uint8_t>(v.enc_recursive_index);
    r.enc_half = static_cast<std::uint8_t>(v.enc_half_index);
    r.in_on = v.in_on;
    r.in_off = v.in_off;
    r.in_push_on = v.push_button_on ? 1 : 0;
    r.in_push_off = v.push_button_off ? 1 : 0;
    r.out_on = v.out_on;
    r.out_off = v.out_off;
    r.dis_ndigitos = v.digits_index;
    r.dis_dp = v.dp_index;
    r.dis_char = v.nil_character;
    r.foreign_attributes.clear();
    if (modify) {
        if (r.nodo_request) r.nodo_request->text = r.name;
    } else if (s.tree_node) {
        r.nodo_request =
            s.tree_node->add_child(r.name, tree_image::request_base + 1 + v.type_index);
    }
    return true;
}

void TModuleTable::delete_request(const TTreeNode* request_node, TAsker& asker) {
    if (!request_node || !request_node->parent()) return;
    const int slot = get_id(request_node->parent()->text);
    if (slot < 0) return;
    const std::string name = request_node->text; // the node may go away below
    for (Treqhard& r : slots_[slot].host->requests) {
        if (r.borrado || r.name != name) continue;
        if (!asker.ask_yes_no("Do you want delete this Request?", "Delete Request")) continue;
        r.borrado = true;
        tree_.delete_node(r.nodo_request);
        r.nodo_request = nullptr;
        shell_.modified = true;
    }
}

void TModuleTable::add_global(std::string name, std::string value) {
    globals_.push_back(Tglobales{std::move(name), std::move(value)});
}

bool TModuleTable::export_code(std::string file_name, int slot, TAsker& asker) {
    if (!in_use(slot)) return false;
    if (std::filesystem::path(file_name).extension().empty()) file_name += ".scp7";
    if (file_exists(file_name) &&
        !asker.ask_yes_no("File Exists,Do you want save this file?", "Export Code"))
        return false;
    const TModuleSlot& s = slots_[slot];
    write_file_replacing(file_name, code_file_text(s.card->caption, s.host->Code_, s.host->requests,
                                                   shell_.decimal_separator));
    return true;
}

int TModuleTable::import_code(const std::string& file_name) {
    const std::optional<std::string> content = read_file(file_name);
    pugi::xml_document document;
    if (!content || !parse_xml(*content, document)) return -1;
    const pugi::xml_node root = document.document_element();
    if (std::string_view(root.name()) != "CODE" || !root.attribute("Title")) return -1;

    std::string title = root.attribute("Title").value();
    for (int k = 1; dame_idcodigo(title) >= 0; ++k)
        title.append("(").append(std::to_string(k)).append(")");
    const int index = fill_slot(title, std::string(), std::string());
    if (index < 0) return index;
    for (const pugi::xml_node& child : root.children()) {
        if (std::string_view(child.name()) == "PASCAL") {
            // The exporter ends the last line with a line break of its own.
            std::string text = element_text(child);
            if (text.ends_with('\n')) text.pop_back();
            slots_[index].host->Code_ = std::move(text);
        } else if (std::string_view(child.name()) == "REQUEST") {
            add_request(index, read_request(child));
        }
    }
    shell_.modified = true;
    return index;
}

void TModuleTable::Clear() {
    cards_.clear();
    for (int i = 0; i < count_; ++i) {
        slots_[i].card = nullptr;
        if (slots_[i].host) slots_[i].host->card = nullptr;
    }
}

void TModuleTable::cerrar_proyecto() {
    if (software_codes_) tree_.delete_node(software_codes_);
    software_codes_ = nullptr;
    for (TModuleSlot& s : slots_)
        s = TModuleSlot();
    count_ = 0;
}

} // namespace veltran
