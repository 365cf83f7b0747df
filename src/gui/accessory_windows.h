// The small windows around the calendar: the splash while the window loads, the about window,
// the diagnostics window and the missed-events list.
#pragma once

#include <QDialog>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "core/events/alarms.h"

class QTreeWidget;

namespace tv {

class StringTable;
class UserStore;

// The splash window: the program's name and version while the window loads.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    SplashWindow();

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The about window: the about page, the web site, and the update link or the manual check. The game
// is hidden behind a double click on the version line.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    struct Actions {
        std::function<void()> openAboutPage;
        std::function<void()> openWebSite;
        std::function<void()> update;  // the link of a newer version, or the manual check
        bool updateKnown = false;      // a newer version is known: the button says so
    };
    AboutWindow(const StringTable& strings, Actions actions, QWidget* parent = nullptr);
    bool gameWanted() const { return gameWanted_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Actions actions_;
    bool gameWanted_ = false;
};

// The diagnostics window: the user identifier and the language.
class DiagnosticsWindow : public QDialog {
    Q_OBJECT
public:
    DiagnosticsWindow(const UserStore* store, const std::string& language,
                      QWidget* parent = nullptr);
};

// The missed events: what happened while the calendar did not run.
class MissedEventsWindow : public QDialog {
    Q_OBJECT
public:
    explicit MissedEventsWindow(const MissedWindow& model, QWidget* parent = nullptr);
    QTreeWidget* list() const { return eventList_; }
    // "Arial Narrow" when the font system has it, else "Arial": equal widths of the sample
    // mean the narrow face is only a stand-in.
    static QString listFace();

private:
    QTreeWidget* eventList_ = nullptr;
};

}  // namespace tv
