// The calendar program.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "gui/frm_main.h"
#include "gui/windows/dev_windows.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tempovirens"));
    QApplication::setOrganizationName(QStringLiteral("Brimcove"));

    const QStringList args = QApplication::arguments();
    const qsizetype shot = args.indexOf(QStringLiteral("--screenshot"));
    const QString shotFile = shot >= 0 && shot + 1 < args.size() ? args.at(shot + 1) : QString();

    // "--open-window NAME": one of the modal windows alone (until the menus open them).
    const qsizetype open = args.indexOf(QStringLiteral("--open-window"));
    if (open >= 0 && open + 1 < args.size())
        return tv::runDeveloperWindow(args.at(open + 1), shotFile);

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
    if (!shotFile.isEmpty()) {
        const QString file = shotFile;
        QTimer::singleShot(0, &window, [&window, file] {
            const bool ok = window.grab().save(file);
            QApplication::exit(ok ? 0 : 1);
        });
    }
    return QApplication::exec();
}
