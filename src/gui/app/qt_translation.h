// Qt's own words (the Yes, No, Cancel and OK buttons, the file and colour dialogs) in Hungarian.
#pragma once

#include <QString>

namespace tv {

// Loads Qt's Hungarian translation ("qtbase_hu.qm" of the Qt installation) into the running
// application, once however often it is called. The loaded file's name, or empty when the
// translation is not installed (Qt's words then stay English).
QString installQtTranslation();

}  // namespace tv
