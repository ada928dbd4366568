#pragma once
// TForm11 — the logbook overview: the trips of the current vehicle, all or those of a period,
// with the private and business kilometres; deactivation of the last entry, deletion of the whole
// logbook, a new entry and the print.

#include "logbook/logbook_overview.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <functional>
#include <memory>

class AppState;
class LogbookFiles;
class MainWindowRefresh;
class Prompts;
struct LogbookPrint;
namespace Ui {
class TForm11;
}

// The list of the overview: five columns of cells of up to three lines; every second row a shade
// darker, deactivated entries struck out in grey.
class LogbookListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setListing(const LogbookListing& listing);
    const LogbookListing& listing() const { return m_listing; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    LogbookListing m_listing;
};

class TForm11 : public QDialog {
    Q_OBJECT
public:
    struct Actions {
        std::function<void()> newTrip;                  // the new-trip dialog, modally
        std::function<void(const LogbookPrint&)> print; // the printed logbook through the preview
    };
    TForm11(AppState& state, LogbookFiles& files, Prompts& prompts, const MainWindowRefresh& main, Actions actions,
            QWidget* parent = nullptr);
    ~TForm11() override;

    // The opening steps: selection "Alle Einträge", the period of this month, the logbook read.
    void prepare();
    int exec() override;
    Ui::TForm11& ui() { return *m_ui; }
    LogbookListModel& model() { return m_model; }

    // Refills list and summary from TripTable and the selection.
    void rechne();
    // The double-click on a list row (0-based): the deactivation of the last active entry.
    void onRowActivated(int row);
    // "Alle Einträge löschen": asks, deletes, closes.
    void onDeleteAll();
    // " Neuer Eintrag": the new-trip dialog, then the logbook read again.
    void onNewEntry();
    // "Drucken": the list and summary as shown.
    void onPrint();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LogbookSelection selection() const;
    // Reads the logbook and shows what reading it found.
    void readLogbook();

    std::unique_ptr<Ui::TForm11> m_ui;
    AppState& m_state;
    LogbookFiles& m_files;
    Prompts& m_prompts;
    const MainWindowRefresh& m_main;
    Actions m_actions;
    LogbookListModel m_model;
    QString m_warning; // an entry changed outside the program
};
