#include "gui/windows/digit_field.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QTimer>

#include "core/ports/shell.h"

namespace tv {

EditorLineEdit::EditorLineEdit(EditorField field, Shell* shell, QWidget* parent)
    : QLineEdit(parent), field_(field), shell_(shell) {
    setObjectName(QStringLiteral("Tf%1").arg(static_cast<int>(field)));
    if (field != EditorField::kName && field != EditorField::kComment) {
        // Pasting is no way around the digits either ("*" only ever comes from the editor).
        setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]*|\\*")), this));
    }
}

void EditorLineEdit::keyPressEvent(QKeyEvent* event) {
    // Keys that type nothing (arrows, Tab, Enter, Delete) and shortcuts keep their usual work;
    // only typed characters are checked.
    const QString text = event->text();
    const bool typed = !text.isEmpty() && text.at(0).isPrint() &&
                       !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (typed || event->key() == Qt::Key_Backspace) {
        const char32_t key = event->key() == Qt::Key_Backspace ? U'\b' : text.toUcs4().value(0, 0);
        if (!digitFieldAccepts(field_, key)) {
            if (shell_ != nullptr) shell_->beep();
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void EditorLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // After Qt has placed the cursor for the click that gave the focus.
    if (field_ != EditorField::kComment) QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

}  // namespace tv
