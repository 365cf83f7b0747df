// One QApplication for the whole GUI test program, on the offscreen platform unless the
// environment names another.
#pragma once

#include <QApplication>

namespace tv::test {

inline void ensureApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tv_gui_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

}  // namespace tv::test
