#include "platform/qt/qt_autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/app/tray.h"
#include "core/app/version.h"
#include "core/calc/files.h"

namespace tv {
namespace {

// Entries are a few hundred bytes; anything much larger is not one of ours.
constexpr size_t kMaxEntryBytes = 64 * 1024;

std::string defaultEntryPath() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
    return (config + QStringLiteral("/autostart/") + QLatin1String(QtAutostart::kFileName))
        .toStdString();
}

std::string trim(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    const size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

}  // namespace

std::string unescapeDesktopValue(const std::string& value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char c = value[++i];
        switch (c) {
            case 's':
                out += ' ';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            default:
                out += c;
                break;  // "\\" and anything the writer did not mean
        }
    }
    return out;
}

std::string escapeDesktopValue(const std::string& value) {
    std::string out;
    for (char c : value) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
                break;
        }
    }
    return out;
}

QtAutostart::QtAutostart() : path_(defaultEntryPath()) {}

QtAutostart::QtAutostart(const std::string& entryPath) : path_(entryPath) {}

std::optional<std::string> QtAutostart::command() const {
    std::string bytes;
    if (readWholeFile(path_, bytes, kMaxEntryBytes) != ReadResult::kOk) return std::nullopt;
    std::optional<std::string> exec;
    bool inEntry = false;
    bool skipped = false;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string::npos) end = bytes.size();
        const std::string line = trim(bytes.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        const size_t eq = line.find('=');
        if (!inEntry || eq == std::string::npos) continue;
        const std::string key = trim(line.substr(0, eq));
        const std::string value = unescapeDesktopValue(trim(line.substr(eq + 1)));
        if (key == "Exec") exec = value;
        // The desktop's own switch for the entry counts as no entry, so it gets rewritten on.
        if ((key == "Hidden" && value == "true") ||
            (key == "X-GNOME-Autostart-enabled" && value == "false")) {
            skipped = true;
        }
    }
    if (skipped || !exec || exec->empty()) return std::nullopt;
    return exec;
}

bool QtAutostart::setCommand(const std::string& command) {
    const QString folder = QFileInfo(QString::fromStdString(path_)).absolutePath();
    if (!QDir().mkpath(folder)) return false;
    // TryExec: once the program is removed, the desktop skips the entry instead of failing it at
    // every log-on.
    const std::string entry =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Tempovirens\n"
        "Comment=Asztali naptár\n"
        "TryExec=" +
        escapeDesktopValue(autostartProgram(command)) +
        "\n"
        "Exec=" +
        escapeDesktopValue(command) +
        "\n"
        "Icon=" +
        std::string(kDesktopId) +
        "\n"
        "Terminal=false\n"
        "X-GNOME-Autostart-enabled=true\n";
    return saveFileAtomic(path_, entry);
}

bool QtAutostart::remove() {
    QFile file(QString::fromStdString(path_));
    if (!file.exists()) return true;
    return file.remove();
}

}  // namespace tv
