#include "contact_sheet.h"

#include "art.h"
#include "mock_screen.h"
#include "theme_source.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPainter>

#include <algorithm>
#include <map>

namespace tv::art {
namespace {

constexpr int kSheetW = 2080;
constexpr int kPad = 24;

class Sheet {
public:
    Sheet() : img_(kSheetW, 12000, QImage::Format_RGB32) {
        img_.fill(QColor(44, 46, 52));
        p_.begin(&img_);
        p_.setRenderHint(QPainter::Antialiasing);
        p_.setRenderHint(QPainter::SmoothPixmapTransform);
    }
    void heading(const QString& s) {
        if (rowH_ > 0) newRow();
        y_ += 18;
        QFont f("DejaVu Sans");
        f.setPixelSize(26);
        f.setBold(true);
        p_.setFont(f);
        p_.setPen(QColor(240, 240, 244));
        p_.drawText(QPointF(kPad, y_ + 26), s);
        y_ += 42;
        x_ = kPad;
        rowH_ = 0;
    }
    // Places an image (optionally scaled) with a caption; wraps to a new row when full.
    void place(const QImage& img, const QString& caption, double scale = 1.0) {
        QSize sz = (QSizeF(img.size()) * scale).toSize();
        if (x_ + sz.width() > kSheetW - kPad) newRow();
        // Checkerboard behind see-through parts.
        for (int yy = 0; yy < sz.height(); yy += 8)
            for (int xx = 0; xx < sz.width(); xx += 8)
                p_.fillRect(QRect(x_ + xx, y_ + yy, std::min(8, sz.width() - xx),
                                  std::min(8, sz.height() - yy)),
                            ((xx + yy) / 8) % 2 ? QColor(70, 72, 78) : QColor(90, 92, 98));
        p_.drawImage(QRect(QPoint(x_, y_), sz), img);
        QFont f("DejaVu Sans");
        f.setPixelSize(13);
        p_.setFont(f);
        p_.setPen(QColor(200, 202, 210));
        p_.drawText(QPointF(x_, y_ + sz.height() + 16), caption);
        x_ += std::max(sz.width(), 120) + 18;
        rowH_ = std::max(rowH_, sz.height() + 26);
    }
    void note(const QString& s) {
        QFont f("DejaVu Sans");
        f.setPixelSize(15);
        f.setItalic(true);
        p_.setFont(f);
        p_.setPen(QColor(255, 190, 120));
        p_.drawText(QPointF(x_, y_ + 18), s);
        rowH_ = std::max(rowH_, 28);
        newRow();
    }
    void newRow() {
        y_ += rowH_ + 10;
        x_ = kPad;
        rowH_ = 0;
    }
    QImage finish() {
        newRow();
        p_.end();
        return img_.copy(0, 0, kSheetW, y_ + kPad);
    }

private:
    QImage img_;
    QPainter p_;
    int x_ = kPad, y_ = 0, rowH_ = 0;
};

QImage load(const QString& path) {
    return QImage(path);
}

}  // namespace

bool writeContactSheet(const std::string& programDir, const std::string& outPng,
                       std::string& error) {
    const QDir dir(QString::fromStdString(programDir));
    Sheet s;
    const QImage icon16 = load(dir.filePath("icons/tempovirens_16.png"));
    const QImage sample = load(dir.filePath("pictures/welcome.jpg"));

    const QStringList skins =
        QDir(dir.filePath("themes")).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& skin : skins) {
        ThemeSource t;
        const QString skinDir = dir.filePath("themes/" + skin);
        // The shipped theme.cfg is Windows-1250; the numbers and file names are plain ASCII.
        if (!t.load((skinDir + "/theme.cfg").toStdString())) continue;
        std::map<std::string, QImage> files;
        for (const QFileInfo& fi :
             QDir(skinDir).entryInfoList({"*.png", "*.bmp", "*.jpg"}, QDir::Files))
            files[fi.fileName().toStdString()] = load(fi.filePath());
        s.heading("Skin \"" + skin + "\"  (main screen, month of today, next month, alarm)");
        s.place(mockScreen(t, files, icon16, MockPage::kMain, sample), "main screen");
        s.place(mockScreen(t, files, icon16, MockPage::kMonth, sample), "month grid, today");
        s.place(mockScreen(t, files, icon16, MockPage::kNextMonth, sample),
                "next month: home marks", 0.62);
        s.place(mockScreen(t, files, icon16, MockPage::kAlarm, sample), "alarm screen", 0.62);
        s.newRow();
        for (const char* key : {"tx_main_bg", "tx_cal_bg", "tx_alarm_bg"})
            if (t.has(key)) s.place(files[t.text(key)], QString::fromStdString(t.text(key)), 0.45);
        if (t.has("previewimage")) s.place(files[t.text("previewimage")], "preview (settings)");
        for (const char* key : {"tx_wise_bg", "tx_mask_wise_bg"})
            if (t.has(key)) s.place(files[t.text(key)], QString::fromStdString(t.text(key)), 0.7);
        for (const char* key : {"tx_event_mark", "tx_today", "tx_today2"})
            if (t.has(key))
                s.place(files[t.text(key)], QString::fromStdString(t.text(key)) + " x2", 2.0);
        if (t.has("tx_buttons"))
            s.place(files[t.text("tx_buttons")], "buttons.png x2 (up / down / over)", 2.0);
        s.newRow();
    }

    s.heading("Holiday pictures and welcome.jpg");
    for (const std::string& name : pictureNames()) {
        QImage img = load(dir.filePath(QString::fromStdString("pictures/" + name + ".jpg")));
        if (img.isNull())
            s.note(QString::fromStdString("missing: pictures/" + name + ".jpg"));
        else
            s.place(img, QString::fromStdString(name), 0.4);
    }

    s.heading("Seasonal backgrounds (a sample of each season)");
    const char* seasons[] = {"spring", "summer", "autumn", "winter"};
    for (int season = 1; season <= 4; ++season) {
        bool any = false;
        for (int n : {1, 17, 34, 51, 68, 85, 100}) {
            QString f = dir.filePath(
                QString("pictures/background/%1%2.jpg").arg(season).arg(n, 3, 10, QChar('0')));
            QImage img = load(f);
            if (img.isNull()) continue;
            any = true;
            s.place(img.scaledToWidth(240, Qt::SmoothTransformation),
                    QString("%1 %2").arg(seasons[season - 1]).arg(QFileInfo(f).fileName()));
        }
        if (!any)
            s.note(
                QString("no %1 backgrounds in pictures/background yet").arg(seasons[season - 1]));
        else
            s.newRow();
    }

    s.heading("Program icon");
    for (int size : {256, 48, 32, 16}) {
        QImage icon = load(dir.filePath(QString("icons/tempovirens_%1.png").arg(size)));
        if (icon.isNull())
            s.note(QString("missing: icons/tempovirens_%1.png").arg(size));
        else
            s.place(icon, QString("%1 px").arg(size));
    }
    if (!icon16.isNull()) s.place(icon16, "16 px x4", 4.0);

    QImage out = s.finish();
    if (!out.save(QString::fromStdString(outPng))) {
        error = "cannot write " + outPng;
        return false;
    }
    return true;
}

}  // namespace tv::art
