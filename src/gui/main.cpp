// The calendar program.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include "gui/frm_main.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tempovirens"));
    QApplication::setOrganizationName(QStringLiteral("Brimcove"));

    tv::FrmMain window;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // Centred in the work area.
        const QRect area = screen->availableGeometry();
        window.move(area.x() + (area.width() - window.width()) / 2,
                    area.y() + (area.height() - window.height()) / 2);
    }
    window.show();
    return QApplication::exec();
}
