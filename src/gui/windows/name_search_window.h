// The name search window: on which days a name has its name day, and what a name means. The search
// and the descriptions are the core's name search; this window shows its state.
#pragma once

#include <QDialog>
#include <optional>

#include "core/names/name_search.h"
#include "gui/windows/window_services.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace tv {

class NameSearchWindow : public QDialog {
    Q_OBJECT
public:
    explicit NameSearchWindow(WindowServices& services, QWidget* parent = nullptr);

    const NameSearchState& state() const { return w_; }
    // Whether an event was saved from a result, so the main window refreshes.
    bool eventsChanged() const { return changed_; }

    // Opens the event editor for a name day; tests replace it to look at the request.
    using EventOpener = std::function<bool(const NameDayEventRequest&)>;
    void setEventOpener(EventOpener opener) { opener_ = std::move(opener); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildDaysTab();
    QWidget* buildExplainTab();
    void showState();
    void onSearchButton();
    void onBack();
    void createEvent(int line);
    bool openEditorFor(const NameDayEventRequest& request);

    WindowServices& s_;
    NameFiles files_;
    NameSearchState w_;
    bool changed_ = false;
    EventOpener opener_;

    QTabWidget* tabs_ = nullptr;
    QLabel* lbl1Text_ = nullptr;
    QLineEdit* descriptionEdit_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QListWidget* describedList_ = nullptr;
    QLabel* doubleClickLabel_ = nullptr;
    QRadioButton* mainListOption_ = nullptr;
    QRadioButton* largeListOption_ = nullptr;
    QLineEdit* nameEdit_ = nullptr;
    QListWidget* resultList_ = nullptr;
    QPlainTextEdit* descriptionText_ = nullptr;
};

}  // namespace tv
