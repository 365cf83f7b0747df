// A text field of the event editor: numeric ones take only digits and backspace (anything else
// beeps), and entering any field but the comment selects its whole text.
#pragma once

#include <QLineEdit>

#include "core/events/windows/event_editor.h"

namespace tv {

class Shell;

class EditorLineEdit : public QLineEdit {
    Q_OBJECT
public:
    EditorLineEdit(EditorField field, Shell* shell, QWidget* parent = nullptr);
    EditorField field() const { return field_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    EditorField field_;
    Shell* shell_;
};

}  // namespace tv
