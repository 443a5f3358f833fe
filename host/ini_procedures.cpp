#include "host/ini_procedures.h"

#include "engine/codepage.h"
#include "host/ini_file.h"
#include "shell/log_channel.h"

#include <QSaveFile>
#include <QString>

#include <fstream>
#include <iterator>

namespace veltran {
namespace {

namespace fs = std::filesystem;

void log_ini_error(const TIniCaller& caller, std::string_view error, const fs::path& path) {
    std::string line = "Error in CODE \"";
    line += caller.title;
    line += "\", Error type= ";
    line += error;
    line += ", Filename=";
    line += path.string();
    caller.shell.add_log(log_error_code, line);
}

// The script's text in the file's encoding and back.
class TIniEncoding {
public:
    explicit TIniEncoding(std::string_view file_bytes) : utf8_(is_valid_utf8(file_bytes)) {}
    std::string to_file(std::string_view script) const {
        return utf8_ ? cp1252_to_utf8(script) : std::string(script);
    }
    std::string to_script(std::string_view file) const {
        return utf8_ ? utf8_to_cp1252(file) : std::string(file);
    }

private:
    bool utf8_;
};

// An ini file that exists and was read whole.
struct TLoadedIni {
    fs::path path;
    std::string bytes;
};

std::optional<TLoadedIni> load_ini(const TIniCaller& caller, std::string_view file) {
    TLoadedIni ini{ini_file_path(caller.project_file, cp1252_to_utf8(file)), {}};
    std::error_code error;
    if (!fs::is_regular_file(ini.path, error)) {
        log_ini_error(caller, "File INI not Exists", ini.path);
        return std::nullopt;
    }
    std::ifstream in(ini.path, std::ios::binary);
    if (in) ini.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad()) {
        log_ini_error(caller, "File INI not Readable", ini.path);
        return std::nullopt;
    }
    return ini;
}

// Through a temporary file, so that a full disk or a crash cannot leave half
// a file behind; in place when the folder does not allow a new file.
bool save_ini(const fs::path& path, const std::string& bytes) {
    QSaveFile out(QString::fromStdString(path.string()));
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly)) return false;
    out.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return out.commit();
}

} // namespace

fs::path ini_file_path(std::string_view project_file, std::string_view name) {
    const fs::path given(name);
    if (given.has_parent_path()) return given;
    return fs::path(project_file).parent_path() / given;
}

std::optional<std::string> read_ini_file(const TIniCaller& caller, std::string_view file,
                                         std::string_view section, std::string_view key) {
    const std::optional<TLoadedIni> ini = load_ini(caller, file);
    if (!ini) return std::nullopt;
    const TIniEncoding encoding(ini->bytes);
    const TIniText text(ini->bytes);
    const std::optional<std::string_view> value =
        text.read(encoding.to_file(section), encoding.to_file(key));
    if (!value) return std::nullopt;
    return encoding.to_script(*value);
}

void write_ini_file(const TIniCaller& caller, std::string_view file, std::string_view section,
                    std::string_view key, std::string_view value) {
    const std::optional<TLoadedIni> ini = load_ini(caller, file);
    if (!ini) return;
    const TIniEncoding encoding(ini->bytes);
    TIniText text(ini->bytes);
    text.write(encoding.to_file(section), encoding.to_file(key), encoding.to_file(value));
    if (text.text() == ini->bytes) return; // the value is already stored
    if (!save_ini(ini->path, text.text()))
        log_ini_error(caller, "File INI not Writable", ini->path);
}

} // namespace veltran
