#include "gui/windows/qt_text.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QLabel>
#include <QWidget>

#include "core/config/string_table.h"

namespace tv {

QString qtText(std::string_view text) {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

QString qtString(const StringTable& strings, std::string_view key) {
    return qtText(strings.getString(key));
}

QString plainCaption(const QString& text) {
    QString s = text;
    s.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return s;
}

void setCaption(QAbstractButton* button, const StringTable& strings, std::string_view key) {
    const Caption c = strings.captionOf(key);
    button->setText(plainCaption(qtText(c.caption)));
    button->setToolTip(qtText(c.tooltip));
}

void setCaption(QLabel* label, const StringTable& strings, std::string_view key) {
    const Caption c = strings.captionOf(key);
    label->setText(qtText(c.caption));
    label->setToolTip(qtText(c.tooltip));
}

void useNarrowFont(QWidget* window) {
    QFont f = window->font();
    f.setFamily(QStringLiteral("Arial Narrow"));
    // fontconfig answers every family with something; only a real narrow face counts.
    const QString got = QFontInfo(f).family();
    if (!got.contains(QStringLiteral("Narrow"), Qt::CaseInsensitive)) {
        f.setFamily(QStringLiteral("Arial"));
    }
    window->setFont(f);
}

int WidgetMeasurer::textWidth(std::string_view text) const {
    return metrics_.horizontalAdvance(qtText(text)) * kTwipsPerPixel;
}

}  // namespace tv
