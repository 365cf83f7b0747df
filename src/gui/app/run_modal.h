// Running a modal window over the calendar: while it is up, the message boxes and file dialogs
// it opens belong to it, and the calendar knows something modal is open (a change handed over by
// the command-line tool waits for it). Afterwards the boxes belong to the calendar window again.
#pragma once

#include <QDialog>

#include "gui/app/qt_services.h"

namespace tv {

class ModalCount {
public:
    int open() const { return open_; }

    // Counts a modal window or menu for as long as it lives.
    class Scope {
    public:
        explicit Scope(ModalCount& count) : count_(count) { ++count_.open_; }
        ~Scope() { --count_.open_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        ModalCount& count_;
    };

private:
    int open_ = 0;
};

// Shows `dialog` modally and returns its result; `owner` gets the boxes back after.
inline int runModal(QDialog& dialog, QtServices& services, QWidget* owner, ModalCount& count) {
    const ModalCount::Scope scope(count);
    services.setDialogParent(&dialog);
    const int result = dialog.exec();
    services.setDialogParent(owner);
    return result;
}

}  // namespace tv
