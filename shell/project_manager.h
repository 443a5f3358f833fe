#pragma once
// The project manager: loads, saves and closes the project file.

#include "shell/shell_view.h"

#include <string>
#include <string_view>

namespace veltran {

class TShell;
class THardwareTree;
class TTreeNode;
class TConnectionTable;
class TModuleTable;

// The fields of the main window's project page.
struct TProjectPage {
    std::string name;
    std::string folder; // with trailing delimiter
    std::string description;
};

class TPROYECTOS {
public:
    TPROYECTOS(TShell& shell, THardwareTree& tree, TConnectionTable& connections,
               TModuleTable& modules);

    const std::string& project_file() const { return project_file_; }
    TTreeNode* project_node() const { return project_node_; }
    TProjectPage page;

    // A file that is not a project (no root named Project, or no Title)
    // loads nothing and says nothing. An old project whose module file cannot
    // be opened raises TFileError and stops at that module.
    void cargar_proyecto(const std::string& file_name);
    // The project text a standalone player carries; source_name stands for
    // the project file its modules' ini files are found beside.
    void cargar_proyecto_memoria(std::string_view text, const std::string& source_name);

    // Writes nothing unless a project file and an existing folder are set.
    // Raises TFileError when the file cannot be written; the old file and its
    // .backup copy stay intact then.
    void Save_project();
    // Writes the open project to file_name (with the .backup copy of a file
    // already there), whatever the project page says.
    void save_to(const std::string& file_name);
    // Saves under a new name and reopens the project from there; false when
    // the user declined to replace an existing file.
    bool save_as(const std::string& file_name, TAsker& asker);
    void cerrar_proyecto();

private:
    void add_project_node(const std::string& title);

    TShell& shell_;
    THardwareTree& tree_;
    TConnectionTable& connections_;
    TModuleTable& modules_;
    std::string project_file_;
    TTreeNode* project_node_ = nullptr;
};

} // namespace veltran
