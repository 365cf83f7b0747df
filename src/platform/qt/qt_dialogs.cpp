#include "platform/qt/qt_dialogs.h"

#include <algorithm>

#include <QColor>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QStringList>

namespace tv {
namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// Colours travel as 0x00BBGGRR.
QColor fromBgr(int c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
int toBgr(const QColor& c) {
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

// "*.jpg; *.jpeg" becomes Qt's "label (*.jpg *.jpeg)".
QString filterText(const FileFilter& f) {
    QString patterns = q(f.pattern);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return q(f.label) + QStringLiteral(" (") + patterns.simplified() + QLatin1Char(')');
}

// The open and the save dialog take the same request: a title, a start folder with an
// optional file name in it, and the filters.
using FileDialogCall = QString (*)(QWidget*, const QString&, const QString&, const QString&,
                                   QString*, QFileDialog::Options);

std::optional<std::string> askForFile(QWidget* parent, const OpenFileRequest& request,
                                      FileDialogCall call) {
    QStringList filters;
    for (const FileFilter& f : request.filters)
        filters << filterText(f);
    QString start = q(request.startFolder);
    if (!request.initialName.empty()) {
        if (!start.isEmpty() && !start.endsWith(QLatin1Char('/'))) start += QLatin1Char('/');
        start += q(request.initialName);
    }
    const QString chosen =
        call(parent, q(request.title), start, filters.join(QStringLiteral(";;")), nullptr, {});
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

}  // namespace

std::optional<std::string> QtDialogs::openFile(const OpenFileRequest& request) {
    return askForFile(parent_, request, &QFileDialog::getOpenFileName);
}

std::optional<std::string> QtDialogs::saveFile(const OpenFileRequest& request) {
    return askForFile(parent_, request, &QFileDialog::getSaveFileName);
}

std::optional<std::string> QtDialogs::browseFolder(const std::string& title) {
    const QString chosen = QFileDialog::getExistingDirectory(parent_, q(title));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

bool QtDialogs::chooseFont(FontRecord& font, int minSize, int maxSize) {
    QFont initial(q(font.name), font.size > 0 ? font.size : 10);
    initial.setBold(font.bold);
    initial.setItalic(font.italic);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, parent_);
    if (!ok) return false;
    font.name = chosen.family().toStdString();
    font.size = std::clamp(chosen.pointSize(), minSize, maxSize);
    font.bold = chosen.bold();
    font.italic = chosen.italic();
    return true;
}

bool QtDialogs::chooseColor(int& colour, std::array<int, 16>& custom) {
    // The custom colours are process-wide in Qt; load ours before and read them back after,
    // whatever the user answered, as the user may have edited them and cancelled.
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, fromBgr(custom[size_t(i)]));
    const QColor chosen = QColorDialog::getColor(fromBgr(colour), parent_);
    for (int i = 0; i < 16; ++i)
        custom[size_t(i)] = toBgr(QColorDialog::customColor(i));
    if (!chosen.isValid()) return false;
    colour = toBgr(chosen);
    return true;
}

}  // namespace tv
