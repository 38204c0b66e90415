#pragma once

#include "analog/period.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <memory>
#include <optional>

class QButtonGroup;
class QKeyEvent;
class QListWidgetItem;

namespace Ui {
class CMainDlg;
}

namespace meridan {

class BuildDriver;
class CConsoleProcessDlg;
class COverviewView;
class SiteRecord;

// The main window: the stored Sites, the choice of periods, the report list
// and every command. It reads its controls and calls the core for the rest.
class CMainDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CMainDlg(QWidget* parent = nullptr);
    ~CMainDlg() override;

    SiteRecord* currentSite() const { return m_site.get(); }
    // Where Add looks for this machine's web servers' logs ("/": var/log).
    void setSystemRoot(const QString& root) { m_systemRoot = root; }
    bool isBuilding() const;
    COverviewView* overview() const { return m_overview; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    // Sites
    void listSites(const QString& select);
    void siteChosen(int index);
    SiteRecord newSiteRecord();
    void addSite();
    void editSite();
    void deleteSite();
    void enableSiteButtons(bool enabled);
    // Periods and the report list
    static QHash<int, QString> periodLabels();
    void groupPeriodicityRadios();
    // Every control's signal to what it does, in one place.
    void connectControls();
    void showFirstSite();
    void keepColumnsSteady();
    int periodicity() const;
    void setUpPeriodicity(int code);
    void refillDayList();
    void updateReportName();
    // The periods the controls choose ("(all)" stands for every one), the
    // one period they name, and the controls set to show a period.
    QList<Period> chosenPeriods() const;
    std::optional<Period> chosenPeriod() const;
    void showPeriod(const Period& period);
    void fillReportList();
    void reportClicked(QListWidgetItem* item);
    void openReport(QListWidgetItem* item);
    void editConfiguration(QListWidgetItem* item);
    void deleteConfiguration();
    // Commands
    void build();
    void buildIndex();
    void displayIndex();
    void displayErrors();
    void preferences();
    void lockForBuild(bool locked);
    void showConsoleLines(const QStringList& lines);
    void placeConsole(QWidget* console) const;
    void buildFinished();
    void showOverview(bool shown);
    void openSiteIndex(const QString& site);

    std::unique_ptr<Ui::CMainDlg> m_ui;
    QButtonGroup* m_periodicity;
    COverviewView* m_overview;
    std::unique_ptr<SiteRecord> m_site;
    QString m_systemRoot = QStringLiteral("/");
    std::unique_ptr<BuildDriver> m_driver;
    // The console of the running build; a window the user closed during the
    // build is replaced by a new one at its next lines.
    QPointer<CConsoleProcessDlg> m_console;
    QList<QPointer<CConsoleProcessDlg>> m_consoles; // every one opened, closed on Quit
    bool m_quitting = false;
};

} // namespace meridan
