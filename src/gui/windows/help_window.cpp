#include "gui/windows/help_window.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "core/config/string_table.h"
#include "gui/windows/qt_text.h"

namespace tv {

HelpWindow::HelpWindow(const StringTable& strings, const QString& file, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(qtString(strings, "about_help_title"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("helpText"));
    // Links to the web leave for the browser; links inside the page stay here.
    browser_->setOpenExternalLinks(true);
    if (QFileInfo::exists(file)) {
        browser_->setSource(QUrl::fromLocalFile(file));
    } else {
        browser_->setPlainText(
            qtText(strings.formatString("com_err_notfound", file.toStdString())));
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close =
        buttons->addButton(qtString(strings, "com_close"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_, 1);
    layout->addWidget(buttons);
    // A page to read: most of the screen's height, a comfortable line length.
    QSize size(760, 640);
    if (const QScreen* s = screen()) size = size.boundedTo(s->availableGeometry().size() * 0.9);
    resize(size);
}

void openHelpPage(const StringTable& strings, const std::string& file, QWidget* parent,
                  const DocumentOpener& opener) {
    const QString path = QString::fromStdString(file);
    QPointer<QWidget> owner(parent);
    auto showOwn = [&strings, path, owner] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr) {
            HelpWindow w(strings, path, modal);
            w.exec();
            return;
        }
        auto* w = new HelpWindow(strings, path, owner.data());
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        w->raise();
        w->activateWindow();
    };
    if (!QFileInfo::exists(path)) {
        showOwn();  // says which file is missing
        return;
    }
    if (opener) {
        opener(path, showOwn);
    } else {
        openWithDesktop(path, QApplication::instance(), showOwn);
    }
}

}  // namespace tv
