#include "gui/windows/settings_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <string>

#include "core/config/string_table.h"
#include "core/settings/settings_window.h"
#include "gui/windows/qt_text.h"

namespace tv {

QCheckBox* makeCheck(QWidget* parent, const StringTable& s, const char* name,
                     std::string_view key) {
    auto* b = new QCheckBox(parent);
    b->setObjectName(QLatin1String(name));
    if (!key.empty()) setCaption(b, s, key);
    return b;
}

QRadioButton* makeOption(QWidget* parent, const StringTable& s, const char* name,
                         std::string_view key) {
    auto* b = new QRadioButton(parent);
    b->setObjectName(QLatin1String(name));
    setCaption(b, s, key);
    return b;
}

QPushButton* makeButton(QWidget* parent, const StringTable& s, const char* name,
                        std::string_view key) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    setCaption(b, s, key);
    return b;
}

QGroupBox* makeGroup(QWidget* parent, const StringTable& s, std::string_view key) {
    auto* g = new QGroupBox(plainCaption(qtString(s, key)), parent);
    g->setToolTip(qtText(s.captionOf(key).tooltip));
    return g;
}

QLabel* makeLabel(QWidget* parent, const StringTable& s, std::string_view key, bool wrap) {
    auto* l = new QLabel(parent);
    setCaption(l, s, key);
    l->setWordWrap(wrap);
    return l;
}

QComboBox* makeKeyList(QWidget* parent, const StringTable& s, const char* name,
                       std::string_view prefix, int count) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    for (int i = 1; i <= count; ++i) {
        list->addItem(qtString(s, std::string(prefix) + std::to_string(i)));
    }
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

QComboBox* makeNumberList(QWidget* parent, const char* name, int from, int to, bool pad) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    for (int i = from; i <= to; ++i) {
        list->addItem(pad ? QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'))
                          : QString::number(i));
    }
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

QWidget* makeSettingsPage(const StringTable& s, size_t index, QVBoxLayout*& body) {
    auto* page = new QWidget;
    body = new QVBoxLayout(page);
    body->setContentsMargins(8, 0, 0, 0);
    auto* title = new QLabel(qtString(s, kSettingsPages[index].textKey), page);
    QFont f = title->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    title->setFont(f);
    body->addWidget(title);
    return page;
}

QHBoxLayout* indented(QWidget* w, int by) {
    auto* row = new QHBoxLayout;
    row->addSpacing(by);
    row->addWidget(w, 1);
    return row;
}

}  // namespace tv
