// The help page in a window of our own, for a desktop where no handler opens HTML files: the
// welcome text and the about window promise the help, and it must come.
#pragma once

#include <QDialog>
#include <string>

#include "platform/qt/qt_document_opener.h"

class QTextBrowser;

namespace tv {

class StringTable;

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    HelpWindow(const StringTable& strings, const QString& file, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_ = nullptr;
};

// Opens `file` with the desktop's handler; where none takes it, in a HelpWindow: modal over a
// modal window that asked (the about window), else beside the calendar. `opener` stands in for
// the desktop in tests.
void openHelpPage(const StringTable& strings, const std::string& file, QWidget* parent,
                  const DocumentOpener& opener = {});

}  // namespace tv
