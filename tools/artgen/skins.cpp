#include "skins.h"

#include <algorithm>

namespace tv::art {

QImage underButton(const ThemeSource& t, const SkinArt& art, int index) {
    QRect r = t.buttonRect(index);
    QRect pic = t.pictureArea();
    if (pic.contains(r)) {
        // Inside the picture area a button only shows on the month or the alarm screen.
        const QImage& bg = index == 8 ? art.alarmBg : art.calBg;
        return bg.copy(r.translated(-pic.topLeft()));
    }
    return art.mainBg.copy(r);
}

QImage buttonSheet(const ThemeSource& t, const SkinArt& art) {
    int w = 1, h = 1;
    for (int i = 0; i < 12; ++i) {
        std::string n = std::to_string(i);
        int bw = t.num("tx" + n + "_w"), bh = t.num("tx" + n + "_h");
        w = std::max({w, t.num("tx" + n + "_ux") + bw, t.num("tx" + n + "_dx") + bw});
        h = std::max({h, t.num("tx" + n + "_uy") + bh, t.num("tx" + n + "_dy") + bh,
                      t.num("tx" + n + "_oy") + bh});
    }
    QImage sheet(w, h, QImage::Format_RGB32);
    sheet.fill(QColor(128, 128, 128));
    QPainter sp(&sheet);
    for (int i = 0; i < 12; ++i) {
        QRect r = t.buttonRect(i);
        if (r.width() <= 0) continue;
        std::string n = std::to_string(i);
        const QPoint at[3] = {{t.num("tx" + n + "_ux"), t.num("tx" + n + "_uy")},
                              {t.num("tx" + n + "_dx"), t.num("tx" + n + "_dy")},
                              {t.num("tx" + n + "_dx"), t.num("tx" + n + "_oy")}};
        for (int look = 0; look < 3; ++look) {
            QImage cell =
                underButton(t, art, i).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            {
                QPainter p(&cell);
                p.setRenderHint(QPainter::Antialiasing);
                art.button(p, i, static_cast<ButtonLook>(look),
                           QRectF(0, 0, r.width(), r.height()));
            }
            sp.drawImage(at[look], cell);
        }
    }
    return sheet;
}

QImage maskOf(const QImage& wise) {
    QImage m(wise.size(), QImage::Format_RGB32);
    for (int y = 0; y < wise.height(); ++y)
        for (int x = 0; x < wise.width(); ++x)
            m.setPixel(x, y, (wise.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF ? 0xFFFFFFFF : 0xFF000000);
    return m;
}

bool paintSkin(const std::string& skin, const ThemeSource& t, std::map<std::string, QImage>& files,
               std::string& error) {
    SkinArt art;
    if (skin == "metal_big") {
        art = paintMetalBig(t);
    } else if (skin == "paper_light") {
        art = paintPaperLight(t);
    } else {
        error = "no painter for the skin \"" + skin + "\"";
        return false;
    }
    const std::pair<const char*, const QImage*> named[] = {
        {"tx_main_bg", &art.mainBg},       {"tx_cal_bg", &art.calBg}, {"tx_alarm_bg", &art.alarmBg},
        {"tx_event_mark", &art.eventMark}, {"tx_today", &art.today},  {"tx_today2", &art.today2},
        {"tx_wise_bg", &art.wiseBg}};
    for (const auto& [key, img] : named) {
        if (!t.has(key)) continue;
        files[t.text(key)] = img->convertToFormat(QImage::Format_RGB32);
    }
    if (t.has("tx_mask_wise_bg")) files[t.text("tx_mask_wise_bg")] = maskOf(art.wiseBg);
    if (t.has("tx_buttons")) files[t.text("tx_buttons")] = buttonSheet(t, art);
    for (const auto& [name, img] : files) {
        if (img.isNull()) {
            error = "empty image " + name;
            return false;
        }
    }
    return true;
}

}  // namespace tv::art
