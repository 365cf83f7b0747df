#include "gui/app/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tv {
namespace {

const QString kTranslation = QStringLiteral("qtbase_hu");

}  // namespace

QString installQtTranslation() {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) return {};
    // The translator lives as a child of the application, found again by its name.
    if (app->findChild<QTranslator*>(kTranslation, Qt::FindDirectChildrenOnly) != nullptr)
        return kTranslation;
    auto* translator = new QTranslator(app);
    translator->setObjectName(kTranslation);
    if (!translator->load(kTranslation, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return {};
    }
    QCoreApplication::installTranslator(translator);
    return kTranslation;
}

}  // namespace tv
