#include "shell/project_manager.h"

#include "engine/text.h"
#include "shell/connection_table.h"
#include "shell/file_io.h"
#include "shell/module_table.h"
#include "shell/project_file.h"
#include "shell/shell_state.h"
#include "shell/tree_model.h"

#include <filesystem>

namespace veltran {
namespace fs = std::filesystem;

namespace {

constexpr std::int32_t current_version = 72;

std::string folder_of(const std::string& file_name) {
    return fs::absolute(fs::path(file_name)).parent_path().string();
}

} // namespace

TPROYECTOS::TPROYECTOS(TShell& shell, THardwareTree& tree, TConnectionTable& connections,
                       TModuleTable& modules)
    : shell_(shell), tree_(tree), connections_(connections), modules_(modules) {}

void TPROYECTOS::add_project_node(const std::string& title) {
    project_node_ = tree_.add_first("Project - " + title, tree_image::project);
}

void TPROYECTOS::cargar_proyecto(const std::string& file_name) {
    const TProjectDocument doc = TProjectDocument::from_file(file_name);
    const std::string title = doc.title();
    if (title.empty()) return;
    project_file_ = file_name;
    add_project_node(title);
    const std::string folder = folder_of(file_name);
    page.name = title;
    page.folder = folder + "/";
    page.description = doc.description();
    shell_.project_folder = folder;

    const bool old_format = doc.version() < current_version;
    connections_.Clear();
    modules_.Clear();
    connections_.cargar_proyecto(doc.project(), project_node_);
    if (old_format) {
        try {
            modules_.read_old_modules(doc.project(), project_node_, file_name, folder);
        } catch (const TFileError&) {
            // A half-loaded project could be neither closed nor saved.
            cerrar_proyecto();
            throw;
        }
    } else {
        modules_.read_modules(doc.project(), project_node_, file_name);
        modules_.read_globals(doc.project());
    }
    project_node_->expanded = true;
    shell_.menus_project();
    shell_.modified = old_format;
}

void TPROYECTOS::cargar_proyecto_memoria(std::string_view text, const std::string& source_name) {
    const TProjectDocument doc = TProjectDocument::from_text(text);
    const std::string title = doc.title();
    if (title.empty()) return;
    add_project_node(title);
    connections_.Clear();
    modules_.Clear();
    connections_.cargar_proyecto(doc.project(), project_node_);
    modules_.read_modules(doc.project(), project_node_, source_name);
    // Modules that use globals compile only with them.
    modules_.read_globals(doc.project());
    project_node_->expanded = true;
    shell_.menus_project();
    shell_.modified = false;
}

void TPROYECTOS::Save_project() {
    if (project_file_.empty() || page.folder.empty() || !folder_exists(trim(page.folder))) return;
    save_to(project_file_);
}

void TPROYECTOS::save_to(const std::string& file_name) {
    if (file_exists(file_name)) copy_file_replacing(file_name, file_name + ".backup");
    for (int i = 0; i < modules_.cont_codigos(); ++i) {
        if (!modules_.in_use(i)) continue;
        modules_.point_at_editor(i);
        modules_.slot(i).host->Code_ = trim(modules_.slot(i).host->Code_);
    }
    write_file_replacing(file_name, project_file_text({page.name, page.description, connections_,
                                                       modules_, shell_.decimal_separator}));
    shell_.modified = false;
}

bool TPROYECTOS::save_as(const std::string& file_name, TAsker& asker) {
    if (file_exists(file_name) &&
        !asker.ask_yes_no("Project File EXISTS, Do you want save proyect?", "Save project as"))
        return false;
    page.name = fs::path(file_name).stem().string();
    project_file_ = file_name;
    page.folder = folder_of(file_name) + "/";
    Save_project();
    shell_.modified = false;
    shell_.clear_log_box();
    cerrar_proyecto();
    cargar_proyecto(fs::path(file_name).replace_extension(".pscp").string());
    return true;
}

void TPROYECTOS::cerrar_proyecto() {
    connections_.Stop_all();
    modules_.Stop_all();
    connections_.Clear();
    modules_.Clear();
    connections_.cerrar_proyecto();
    modules_.cerrar_proyecto();
    tree_.delete_node(project_node_);
    project_node_ = nullptr;
    shell_.menus_no_project();
    shell_.project_folder.clear();
    project_file_.clear();
}

} // namespace veltran
