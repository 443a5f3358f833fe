// veltran project show FILE | project resave FILE OUT (project run: project_run_command.cpp)
#include "apps/cli/cli_command.h"
#include "engine/text.h"
#include "shell/file_io.h"
#include "shell/project_file.h"
#include "shell/project_model.h"

#include <cstdio>
#include <iostream>

namespace veltran::cli {

// False, with a message, when the file loads nothing.
bool load_project(TShell& shell, TPROYECTOS& project, const std::string& file) {
    shell.read_version();
    shell.init_globals();
    try {
        project.cargar_proyecto(file);
    } catch (const TFileError& e) {
        std::fprintf(stderr, "veltran: %s\n", e.what());
        return false;
    }
    if (project.project_node()) return true;
    std::fprintf(stderr,
                 "veltran: %s is not a project file (it has no Project element with a Title)\n",
                 file.c_str());
    return false;
}

namespace {

void print_tree(const TTreeNode& node, int depth) {
    for (const auto& child : node.children()) {
        std::cout << std::string(2 * depth + 2, ' ') << child->text << " [" << child->image
                  << "]\n";
        print_tree(*child, depth + 1);
    }
}

void print_card(const TCardList& list, const TCard& card) {
    std::cout << "  " << card.caption << " [" << card.image << "]";
    for (std::size_t i = 0; i < card.items.size(); ++i)
        std::cout << (i ? ", " : ": ") << list.item_captions()[i]
                  << (list.item_captions()[i].empty() ? "" : " ") << card.items[i];
    std::cout << '\n';
}

void print_request(const Treqhard& r) {
    std::cout << "    request " << (r.tipo_text.empty() ? "?" : r.tipo_text) << " \"" << r.name
              << "\" board " << r.board;
    switch (r.tipo) {
    case req_encoder: std::cout << " inputs " << int(r.in1) << "," << int(r.in2); break;
    case req_input: std::cout << " input " << int(r.in1); break;
    case req_output: std::cout << " output " << int(r.out1); break;
    case req_display: std::cout << " display " << int(r.display); break;
    default: break;
    }
    if (r.extra && r.iocp_sel) std::cout << " iocp " << r.iocp_conn << ":" << r.iocp_offset;
    if (r.extra && r.ifly_sel) std::cout << " ifly " << r.ifly_offset;
    std::cout << '\n';
}

int show(const std::string& file) {
    TProjectModel model;
    if (!load_project(model.shell, model.project, file)) return 1;
    std::cout << "Project: " << model.project.page.name << "\n"
              << "File version: " << sacar_version(file)
              << (model.shell.modified ? " (modified)" : "") << "\n"
              << "Folder: " << model.project.page.folder << "\n"
              << "Connections:\n";
    for (const auto& card : model.connection_cards.cards())
        print_card(model.connection_cards, *card);
    std::cout << "Globals:\n";
    for (const Tglobales& g : model.modules.globales())
        std::cout << "  " << g.name << " = " << g.value << '\n';
    std::cout << "Modules:\n";
    for (int i = 0; i < model.modules.cont_codigos(); ++i) {
        if (!model.modules.in_use(i)) continue;
        const TModuleSlot& slot = model.modules.slot(i);
        std::cout << "  " << i << ": " << slot.host->name_code
                  << (slot.encrypted ? " (encrypted)" : "") << ", " << slot.host->Code_.size()
                  << " characters\n";
        for (const Treqhard& r : slot.host->requests)
            if (!r.borrado) print_request(r);
    }
    std::cout << "Description:\n";
    for (std::string_view line : split_lines(model.project.page.description))
        std::cout << "  " << line << '\n';
    std::cout << "Hardware tree:\n";
    print_tree(model.tree.root(), 0);
    std::cout << "Log:\n";
    for (const std::string& line : model.shell.log_list())
        std::cout << "  " << line << '\n';
    return 0;
}

int resave(const std::string& file, const std::string& out) {
    TProjectModel model;
    if (!load_project(model.shell, model.project, file)) return 1;
    try {
        model.project.save_to(out);
    } catch (const TFileError& e) {
        std::fprintf(stderr, "veltran: %s\n", e.what());
        return 1;
    }
    return 0;
}

} // namespace

int project_run(TArgs args);

int run_project(const TArgs& args) {
    if (!args.empty() && args[0] == "run") return project_run(TArgs(args.begin() + 1, args.end()));
    if (args.size() == 2 && args[0] == "show") return show(args[1]);
    if (args.size() == 3 && args[0] == "resave") return resave(args[1], args[2]);
    return usage_error("project");
}

} // namespace veltran::cli
