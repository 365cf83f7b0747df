// The calendar program.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

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

    // "--screenshot FILE": write the first frame to a picture and end (for looking at the
    // window without a desktop, and for render checks).
    const QStringList args = QApplication::arguments();
    const qsizetype shot = args.indexOf(QStringLiteral("--screenshot"));
    if (shot >= 0 && shot + 1 < args.size()) {
        const QString file = args.at(shot + 1);
        QTimer::singleShot(0, &window, [&window, file] {
            const bool ok = window.grab().save(file);
            QApplication::exit(ok ? 0 : 1);
        });
    }
    return QApplication::exec();
}
