#pragma once

#include "run/builddriver.h"
#include "run/consolerunner.h"

#include <QDialog>
#include <QPointer>
#include <memory>

class QButtonGroup;
class QListWidgetItem;

namespace Ui {
class CMainDlg;
}

namespace meridan {

class CConsoleProcessDlg;
class CConsoleRunner;
class SiteRecord;

// The main window: the stored Sites, the choice of periods, the report list
// and every command. It reads its controls and calls the core for the rest.
class CMainDlg : public QDialog, private BuildObserver
{
    Q_OBJECT

public:
    explicit CMainDlg(QWidget* parent = nullptr);
    ~CMainDlg() override;

    SiteRecord* currentSite() const { return m_site.get(); }
    bool isBuilding() const { return m_runner != nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    // Sites
    void listSites(const QString& select);
    void siteChosen(int index);
    void addSite();
    void editSite();
    void deleteSite();
    void enableSiteButtons(bool enabled);
    // Periods and the report list
    int periodicity() const;
    void setUpPeriodicity(int code);
    void refillDayList();
    void updateReportName();
    BuildRequest selection() const;
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
    void periodSelected(int periodPosition, int dayPosition, const QString& reportName, int number,
                        int count) override;
    void periodBuilt() override;

    std::unique_ptr<Ui::CMainDlg> m_ui;
    QButtonGroup* m_periodicity;
    std::unique_ptr<SiteRecord> m_site;
    std::unique_ptr<CConsoleRunner> m_runner;
    QPointer<CConsoleProcessDlg> m_console;
    QList<QPointer<CConsoleProcessDlg>> m_consoles; // every one opened, closed on Quit
    // What the runner writes to: the console window while it is open; a
    // window the user closed during a run just receives nothing more.
    class ConsoleForwarder : public ConsoleSink
    {
    public:
        explicit ConsoleForwarder(QPointer<CConsoleProcessDlg>& console) : m_console(console) {}
        void appendLines(const QStringList& lines) override;

    private:
        QPointer<CConsoleProcessDlg>& m_console;
    };
    ConsoleForwarder m_forwarder{m_console};
};

} // namespace meridan
