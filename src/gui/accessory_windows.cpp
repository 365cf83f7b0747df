#include "gui/accessory_windows.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/app/version.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/ports/user_store.h"
#include "platform/qt/qt_surface.h"

namespace tv {
namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
// Texts of the string table carry CR LF breaks.
QString plain(const std::string& s) {
    QString t = qs(s);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

// Horizontal dialog units in pixels: a quarter of the font's average character width.
int dialogUnits(const QFontMetrics& fm, int units) {
    return units * fm.averageCharWidth() / 4;
}

}  // namespace

SplashWindow::SplashWindow()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(QStringLiteral("Betöltés"));
    setFixedSize(300, 110);
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0x3B, 0x4A, 0x5E));
    g.setColorAt(1, QColor(0x1E, 0x27, 0x33));
    p.fillRect(rect(), g);
    p.setPen(QColor(0xF2, 0xC1, 0x4E));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    QFont f = font();
    f.setPixelSize(30);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 14, width(), 44), Qt::AlignCenter, qs(kProgramName));
    f.setPixelSize(13);
    f.setBold(false);
    p.setFont(f);
    p.setPen(QColor(0xD8, 0xDE, 0xE6));
    p.drawText(QRect(0, 60, width(), 20), Qt::AlignCenter, QStringLiteral("v") + qs(versionText()));
    p.drawText(QRect(0, 80, width(), 20), Qt::AlignCenter, QStringLiteral("…"));
}

AboutWindow::AboutWindow(const StringTable& strings, Actions actions, QWidget* parent)
    : QDialog(parent), actions_(std::move(actions)) {
    setWindowTitle(plain(strings.getString("main_b_about")));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(qs(kProgramName), this);
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 10);
    f.setBold(true);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    auto* version = new QLabel(QStringLiteral("v") + qs(versionText()), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setAlignment(Qt::AlignCenter);
    version->installEventFilter(this);
    layout->addWidget(version);
    auto* maker = new QLabel(QStringLiteral("© Brimcove"), this);
    maker->setAlignment(Qt::AlignCenter);
    layout->addWidget(maker);

    auto* buttons = new QHBoxLayout;
    auto add = [&](const QString& caption, const QString& name, const std::function<void()>& run) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, [run] {
            if (run) run();
        });
        buttons->addWidget(b);
    };
    add(QStringLiteral("Súgó (about_hun.html)"), QStringLiteral("cmdHelp"), actions_.openAboutPage);
    add(QStringLiteral("Honlap"), QStringLiteral("cmdWeb"), actions_.openWebSite);
    add(actions_.updateKnown ? QStringLiteral("Új verzió letöltése")
                             : QStringLiteral("Frissítés keresése"),
        QStringLiteral("cmdUpdate"), actions_.update);
    layout->addLayout(buttons);
    auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    ok->button(QDialogButtonBox::Ok)->setText(plain(strings.getString("com_ok")));
    connect(ok, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(ok);
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        gameWanted_ = true;
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

DiagnosticsWindow::DiagnosticsWindow(const UserStore* store, const std::string& language,
                                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("DEV: UserID and Language"));
    auto* layout = new QVBoxLayout(this);
    std::string id;
    if (store != nullptr) id = store->getString(std::string(installation::UserID)).value_or("");
    auto* user = new QLabel(
        QStringLiteral("UserID: ") + (id.empty() ? QStringLiteral("not set") : qs(id)), this);
    user->setObjectName(QStringLiteral("lblUserID"));
    user->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(user);
    auto* lang = new QLabel(QStringLiteral("Language: ") + qs(language), this);
    lang->setObjectName(QStringLiteral("lblLanguage"));
    layout->addWidget(lang);
    auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(ok, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(ok);
}

QString MissedEventsWindow::listFace() {
    static const QString kSample = QStringLiteral("Quick little brown fox...");
    QFont narrow(mapFontFace("Arial Narrow"));
    narrow.setPixelSize(15);
    QFont arial(mapFontFace("Arial"));
    arial.setPixelSize(15);
    const bool same = QFontMetrics(narrow).horizontalAdvance(kSample) ==
                      QFontMetrics(arial).horizontalAdvance(kSample);
    return same ? mapFontFace("Arial") : mapFontFace("Arial Narrow");
}

MissedEventsWindow::MissedEventsWindow(const MissedWindow& model, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(plain(model.title));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(plain(model.text), this);
    text->setObjectName(QStringLiteral("lblText"));
    text->setWordWrap(true);
    layout->addWidget(text);

    eventList_ = new QTreeWidget(this);
    eventList_->setObjectName(QStringLiteral("eventList"));
    eventList_->setColumnCount(3);
    eventList_->setHeaderHidden(true);
    eventList_->setRootIsDecorated(false);
    eventList_->setSelectionMode(QAbstractItemView::SingleSelection);
    QFont f(listFace());
    f.setPointSize(10);
    eventList_->setFont(f);
    // The lines' tab stops become column edges.
    const QFontMetrics fm(font());
    const int first = dialogUnits(fm, MissedWindow::kTabStops[0]);
    const int second = dialogUnits(fm, MissedWindow::kTabStops[1]) - first;
    eventList_->setColumnWidth(0, first);
    eventList_->setColumnWidth(1, second);
    for (const std::string& line : model.lines) {
        const QStringList parts = qs(line).split(QLatin1Char('\t'));
        auto* item = new QTreeWidgetItem(eventList_);
        for (int c = 0; c < 3 && c < parts.size(); ++c)
            item->setText(c, parts.at(c));
    }
    eventList_->setMinimumWidth(dialogUnits(fm, MissedWindow::kTabStops[1]) + 120);
    layout->addWidget(eventList_);

    auto* box = new QDialogButtonBox(this);
    QPushButton* ok = box->addButton(plain(model.okCaption), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(box);
}

}  // namespace tv
