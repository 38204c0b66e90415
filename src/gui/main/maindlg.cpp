#include "maindlg.h"

#include "analog/basecfg.h"
#include "analog/cfggenerator.h"
#include "analog/localservers.h"
#include "analog/period.h"
#include "analog/reportlist.h"
#include "dialogs/consoleprocessdlg.h"
#include "dialogs/ftpdownloaddlg.h"
#include "dialogs/prefsdlg.h"
#include "main/aboutdlg.h"
#include "main/consoleplacement.h"
#include "main/helppage.h"
#include "main/overviewview.h"
#include "main/programicon.h"
#include "report/generalindex.h"
#include "report/reportaccess.h"
#include "run/builddriver.h"
#include "sitesheet/hostpropsheet.h"
#include "store/preferences.h"
#include "store/siterecord.h"
#include "ui_maindlg.h"
#include "util/files.h"
#include "util/messages.h"
#include "util/texts.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QScreen>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

void openFile(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace

CMainDlg::CMainDlg(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CMainDlg>()),
      m_periodicity(new QButtonGroup(this)), m_overview(new COverviewView(this))
{
    m_ui->setupUi(this);
    m_ui->mainLayout->addWidget(m_overview, 1);
    m_overview->hide();
    Preferences::storeFoundAnalogAtFirstStart().report();
    QApplication::setWindowIcon(programIcon()); // every window of the program
    setWindowFlag(Qt::WindowMinimizeButtonHint);
    addHelpKey(this);
    groupPeriodicityRadios();
    m_ui->reportList->installEventFilter(this);
    m_ui->reportList->viewport()->installEventFilter(this);
    m_ui->buildButton->installEventFilter(this);

    connectControls();
    keepColumnsSteady();
    showFirstSite();
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::groupPeriodicityRadios()
{
    const QList<QRadioButton*> radios{m_ui->dailyRadio,      m_ui->weeklyRadio,
                                      m_ui->monthlyRadio,    m_ui->quarterlyRadio,
                                      m_ui->halfYearlyRadio, m_ui->yearlyRadio};
    for (int i = 0; i < radios.size(); ++i)
        m_periodicity->addButton(radios.at(i), i + 1);
}

void CMainDlg::connectControls()
{
    connect(m_ui->siteCombo, &QComboBox::activated, this, &CMainDlg::siteChosen);
    connect(m_ui->addButton, &QPushButton::clicked, this, &CMainDlg::addSite);
    connect(m_ui->editButton, &QPushButton::clicked, this, &CMainDlg::editSite);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &CMainDlg::deleteSite);
    connect(m_periodicity, &QButtonGroup::idClicked, this, [this](int code) {
        setUpPeriodicity(code);
        updateReportName();
    });
    const auto monthOrYearChosen = [this] {
        if (periodicity() == kDay)
            refillDayList();
        updateReportName();
    };
    connect(m_ui->periodCombo, &QComboBox::activated, this, monthOrYearChosen);
    connect(m_ui->yearSpinBox, &QSpinBox::valueChanged, this, monthOrYearChosen);
    connect(m_ui->dayCombo, &QComboBox::activated, this, &CMainDlg::updateReportName);
    connect(m_ui->buildButton, &QPushButton::clicked, this, &CMainDlg::build);
    connect(m_ui->reportList, &QListWidget::itemClicked, this, &CMainDlg::reportClicked);
    connect(m_ui->reportList, &QListWidget::itemDoubleClicked, this, &CMainDlg::openReport);
    connect(m_ui->buildIndexButton, &QPushButton::clicked, this, &CMainDlg::buildIndex);
    connect(m_ui->displayIndexButton, &QPushButton::clicked, this, &CMainDlg::displayIndex);
    connect(m_ui->ftpDownloadButton, &QPushButton::clicked, this,
            [this] { CFTPDownloadDlg(m_site.get(), this).exec(); });
    connect(m_ui->displayErrorsButton, &QPushButton::clicked, this, &CMainDlg::displayErrors);
    connect(m_ui->preferencesButton, &QPushButton::clicked, this, &CMainDlg::preferences);
    connect(m_ui->aboutButton, &QPushButton::clicked, this, [this] { AboutDlg(this).exec(); });
    connect(m_ui->helpButton, &QPushButton::clicked, this, &openHelp);
    connect(m_ui->quitButton, &QPushButton::clicked, this, &CMainDlg::reject);
    connect(m_ui->overviewButton, &QPushButton::toggled, this, &CMainDlg::showOverview);
    connect(m_overview, &COverviewView::siteActivated, this, &CMainDlg::openSiteIndex);
}

// The first stored Site, this year's months.
void CMainDlg::showFirstSite()
{
    listSites(QString());
    if (m_ui->siteCombo->count() > 0)
        siteChosen(0);
    else
        enableSiteButtons(false);
    m_ui->yearSpinBox->setValue(QDate::currentDate().year());
    m_ui->monthlyRadio->setChecked(true);
    setUpPeriodicity(kMonth);
    m_ui->reportNameEdit->clear();
    m_ui->monthlyRadio->setFocus();
    resize(sizeHint().boundedTo(screen()->availableGeometry().size()));
}

// Wide enough for the widest text each control ever shows, so that the
// columns stay where they are whatever kind of period is chosen.
void CMainDlg::keepColumnsSteady()
{
    const QFontMetrics metrics(m_ui->reportNameEdit->font());
    m_ui->reportNameEdit->setMinimumWidth(
        metrics.horizontalAdvance(u"2000-00-00/stats2000-00-00.html"_s) + 8);
    // One line: the row is only as high as the box beside it.
    int label = 0;
    const QString shown = m_ui->periodLabel->text();
    for (const QString& text : periodLabels()) {
        m_ui->periodLabel->setText(text);
        label = std::max(label, m_ui->periodLabel->sizeHint().width());
    }
    m_ui->periodLabel->setText(shown);
    m_ui->periodLabel->setFixedWidth(label);
    qsizetype longest = texts::allChoice().size();
    for (int month = 1; month <= 12; ++month)
        longest = std::max(
            longest, QLocale::system().standaloneMonthName(month, QLocale::LongFormat).size());
    for (QComboBox* combo : {m_ui->periodCombo, m_ui->dayCombo}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(int(longest));
    }
    int button = 0;
    for (const QString& text : {tr("&Build"), tr("&Stop")}) {
        m_ui->buildButton->setText(text);
        button = std::max(button, m_ui->buildButton->sizeHint().width());
    }
    m_ui->buildButton->setText(tr("&Build"));
    m_ui->buildButton->setMinimumWidth(button);
}

// --- Sites -------------------------------------------------------------------

void CMainDlg::listSites(const QString& select)
{
    m_ui->siteCombo->clear();
    const Expected<QStringList> names = storedSiteNames();
    if (!names.result().report())
        return;
    m_ui->siteCombo->addItems(*names); // sorted without regard to case
    m_ui->siteCombo->setCurrentIndex(
        select.isEmpty() ? -1 : m_ui->siteCombo->findText(select, Qt::MatchFixedString));
}

void CMainDlg::siteChosen(int index)
{
    m_ui->siteCombo->setCurrentIndex(index);
    m_site = std::make_unique<SiteRecord>(m_ui->siteCombo->itemText(index));
    if (!m_site->passwordProblem().isEmpty())
        messages().error(m_site->passwordProblem());
    fillReportList();
}

// This machine's web servers come first: their Site reads their logs.
SiteRecord CMainDlg::newSiteRecord()
{
    for (const LocalServer& server : unclaimedLocalServers(m_systemRoot)) {
        if (!messages().ask(tr("This machine's web server %1 keeps its logs in %2. Make the new "
                               "Site read them?")
                                .arg(server.server, server.logFolder)))
            continue;
        if (!server.readable)
            messages().error(unreadableLogsAdvice(server));
        return localServerSite(server);
    }
    return SiteRecord::NewSite();
}

void CMainDlg::addSite()
{
    if (!QFileInfo(Preferences::analogPathInUse()).isFile()) {
        messages().error(texts::cannotFindAnalog());
        return;
    }
    auto site = std::make_unique<SiteRecord>(newSiteRecord());
    CHostPropSheet sheet(site.get(), this);
    const bool confirmed = sheet.exec() == QDialog::Accepted; // its OK has stored the Site
    // A Site applied before Cancel exists: it is listed like one confirmed.
    if (site->isNew)
        return;
    if (!confirmed) {
        site->name = site->keyName;
        site->Load();
    }
    m_site = std::move(site);
    listSites(m_site->name);
    fillReportList();
}

void CMainDlg::editSite()
{
    if (!m_site)
        return;
    CHostPropSheet sheet(m_site.get(), this);
    if (sheet.exec() == QDialog::Accepted) { // its OK has stored the Site
        listSites(m_site->name);
    } else {
        // Everything the sheet changed in memory goes; what it applied stays.
        m_site->name = m_site->keyName;
        m_site->Load();
    }
    fillReportList();
}

void CMainDlg::deleteSite()
{
    if (!m_site || m_ui->siteCombo->currentIndex() < 0)
        return;
    if (!messages().ask(tr("Delete the Site %1? Only its settings are removed: its logs, "
                           "reports and configuration files stay on disk.")
                            .arg(m_site->name),
                        Question::DangerousYesNo))
        return;
    if (!deleteStoredSite(m_site->name).report())
        return;
    m_ui->siteCombo->removeItem(m_ui->siteCombo->currentIndex());
    m_ui->siteCombo->setCurrentIndex(-1);
    m_site.reset();
    m_ui->reportList->clear();
    enableSiteButtons(false);
}

void CMainDlg::enableSiteButtons(bool enabled)
{
    m_ui->buildButton->setEnabled(enabled);
    m_ui->buildIndexButton->setEnabled(enabled);
    m_ui->displayIndexButton->setEnabled(enabled);
    m_ui->ftpDownloadButton->setEnabled(enabled);
    m_ui->displayErrorsButton->setEnabled(enabled && m_site && !m_site->ErrorFile.isEmpty());
}

// --- Periods -----------------------------------------------------------------

QHash<int, QString> CMainDlg::periodLabels()
{
    return {{kDay, tr("Month")},         {kWeek, tr("Week")},
            {kMonth, tr("Month")},       {kQuarter, tr("Quarter of the year")},
            {kHalfYear, tr("Semestre")}, {kYear, QString()}};
}

int CMainDlg::periodicity() const
{
    return std::max(0, m_periodicity->checkedId());
}

void CMainDlg::setUpPeriodicity(int code)
{
    m_ui->periodLabel->setText(periodLabels().value(code));
    m_ui->dayCombo->clear();
    m_ui->dayCombo->setVisible(code == kDay);
    m_ui->dayLabel->setVisible(code == kDay);
    m_ui->periodCombo->setVisible(code != kYear);
    if (code == kYear)
        return;
    QStringList items{texts::allChoice()};
    const QLocale locale = QLocale::system();
    if (code == kDay || code == kMonth)
        for (int month = 1; month <= 12; ++month)
            items.append(locale.standaloneMonthName(month, QLocale::LongFormat));
    else if (code == kWeek)
        for (int week = 1; week <= 53; ++week)
            items.append(QString::number(week));
    else
        items += QStringList{tr("First"), tr("Second"), tr("Third"), tr("Fourth")}.mid(
            0, code == kQuarter ? 4 : 2);
    m_ui->periodCombo->clear();
    m_ui->periodCombo->addItems(items);
    m_ui->periodCombo->setCurrentIndex(0);
}

void CMainDlg::refillDayList()
{
    m_ui->dayCombo->clear();
    const int month = m_ui->periodCombo->currentIndex();
    if (month < 1)
        return;
    m_ui->dayCombo->addItem(texts::allChoice());
    for (int day = 1; day <= DaysInMonth(m_ui->yearSpinBox->value(), month); ++day)
        m_ui->dayCombo->addItem(QString::number(day));
    m_ui->dayCombo->setCurrentIndex(0);
}

QList<Period> CMainDlg::chosenPeriods() const
{
    const int year = m_ui->yearSpinBox->value();
    const int code = periodicity();
    const int position = m_ui->periodCombo->currentIndex();
    switch (code) {
    case kDay:
        if (position < 1)
            return {};
        if (m_ui->dayCombo->currentIndex() < 1)
            return DaysOfMonth(year, position);
        return {Period{year, kDay, position, m_ui->dayCombo->currentIndex()}};
    case kWeek:
    case kMonth:
    case kQuarter:
    case kHalfYear:
        if (position < 1)
            return PeriodsOfYear(year, code);
        if (const Period period{year, code, position, 0}; IsValidPeriod(period))
            return {period};
        return {}; // week 53 of a year that has none

    case kYear:
        return {Period{year, kYear, 0, 0}};
    default:
        return {};
    }
}

std::optional<Period> CMainDlg::chosenPeriod() const
{
    const QList<Period> periods = chosenPeriods();
    if (periods.size() != 1) // "(all)", or nothing chosen yet
        return std::nullopt;
    return periods.first();
}

void CMainDlg::showPeriod(const Period& period)
{
    if (period.periodicity == kDay)
        m_ui->dayCombo->setCurrentIndex(period.day);
    else if (period.periodicity != kYear)
        m_ui->periodCombo->setCurrentIndex(period.index);
    m_ui->reportNameEdit->setText(ReportNameOf(PeriodName(period), m_site ? m_site->Output : 1));
}

void CMainDlg::updateReportName()
{
    if (periodicity() == 0)
        return;
    const std::optional<Period> period = chosenPeriod();
    m_ui->reportNameEdit->setText(
        period ? ReportNameOf(PeriodName(*period), m_site ? m_site->Output : 1) : QString());
}

// --- The report list ------------------------------------------------------------

void CMainDlg::fillReportList()
{
    m_ui->reportList->clear();
    if (!m_site)
        return;
    m_ui->reportList->addItems(configuredPeriods(*m_site, Preferences::ascending()));
    m_ui->reportList->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    enableSiteButtons(true);
    m_ui->framesCheckBox->setChecked(framesByDefault(*m_site));
}

void CMainDlg::reportClicked(QListWidgetItem* item)
{
    const std::optional<Period> period = PeriodOfName(item->text());
    if (!period)
        return;
    m_periodicity->button(period->periodicity)->setChecked(true);
    setUpPeriodicity(period->periodicity);
    {
        const QSignalBlocker quiet(m_ui->yearSpinBox);
        m_ui->yearSpinBox->setValue(period->year);
    }
    if (period->periodicity != kYear)
        m_ui->periodCombo->setCurrentIndex(period->index);
    if (period->periodicity == kDay) {
        refillDayList();
        m_ui->dayCombo->setCurrentIndex(period->day);
    }
    updateReportName();
}

void CMainDlg::openReport(QListWidgetItem* item)
{
    if (m_site)
        openFile(reportFileToOpen(*m_site, item->text()));
}

void CMainDlg::editConfiguration(QListWidgetItem* item)
{
    if (!m_site || !item)
        return;
    Preferences::openInTextEditor(m_site->configFile(item->text())).report();
}

void CMainDlg::deleteConfiguration()
{
    QListWidgetItem* item = m_ui->reportList->currentItem();
    if (!m_site || !item)
        return;
    const QString file = m_site->configFile(item->text());
    if (!QFile::remove(file) && QFile::exists(file)) {
        messages().error(tr("The file %1 cannot be deleted.").arg(file));
        return;
    }
    delete item;
}

namespace {

bool isHeldEnter(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
}

} // namespace

// Holding Enter never starts or stops a build, and Enter never stops one.
void CMainDlg::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->isAutoRepeat() || isBuilding())) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CMainDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->buildButton && isHeldEnter(event))
        return true;
    if (watched == m_ui->reportList && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteConfiguration();
        return true;
    }
    if (watched == m_ui->reportList->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            editConfiguration(m_ui->reportList->itemAt(mouse->position().toPoint()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// --- Commands -------------------------------------------------------------------

bool CMainDlg::isBuilding() const
{
    return m_driver && m_driver->isRunning();
}

void CMainDlg::build()
{
    if (isBuilding()) { // the button reads "Stop" while a build runs
        m_driver->stop();
        return;
    }
    if (!m_site)
        return;
    m_ui->progressLabel->clear();
    m_driver = std::make_unique<BuildDriver>(*m_site);
    connect(m_driver.get(), &BuildDriver::linesReady, this, &CMainDlg::showConsoleLines);
    connect(m_driver.get(), &BuildDriver::problem, this,
            [](const QString& text) { messages().error(text); });
    // "Period n of m" counts the periods ended, the one under way included.
    connect(m_driver.get(), &BuildDriver::periodStarted, this,
            [this](const Period& period, int, int count) {
                showPeriod(period);
                if (m_ui->progressLabel->text().isEmpty())
                    m_ui->progressLabel->setText(tr("Period 1 of %1").arg(count));
            });
    connect(m_driver.get(), &BuildDriver::periodFinished, this,
            [this](const Period&, bool, int ended, int count) {
                fillReportList();
                m_ui->reportList->setEnabled(false);
                m_ui->progressLabel->setText(
                    tr("Period %1 of %2").arg(std::min(ended + 1, count)).arg(count));
            });
    connect(m_driver.get(), &BuildDriver::finished, this, &CMainDlg::buildFinished);
    lockForBuild(true);
    const Result started =
        m_driver->start(chosenPeriods(), BuildOptions{m_ui->useExistingCheckBox->isChecked(),
                                                      Preferences::load().parallelBuilds,
                                                      m_ui->staleCheckBox->isChecked()});
    if (!started.report())
        buildFinished();
}

void CMainDlg::lockForBuild(bool locked)
{
    const QList<QWidget*> locking{
        m_ui->sitesGroup,          m_ui->logfilesGroup,     m_ui->indexGroup,
        m_ui->periodicityGroup,    m_ui->preferencesButton, m_ui->reportList,
        m_ui->yearSpinBox,         m_ui->periodCombo,       m_ui->dayCombo,
        m_ui->useExistingCheckBox, m_ui->staleCheckBox};
    for (QWidget* widget : locking)
        widget->setEnabled(!locked);
    // While building, Display (Alt+S otherwise) is locked: Alt+S stops.
    m_ui->buildButton->setText(locked ? tr("&Stop") : tr("&Build"));
    // Stop is never what Enter presses.
    m_ui->buildButton->setDefault(!locked);
    m_ui->buildButton->setAutoDefault(!locked);
    if (!locked) {
        m_ui->progressLabel->clear();
        enableSiteButtons(true);
    }
}

void CMainDlg::showConsoleLines(const QStringList& lines)
{
    if (m_quitting) // the last lines of a stopped build open no window
        return;
    if (!m_console) { // a new window for each build, or when the user closed it
        m_console = new CConsoleProcessDlg;
        m_consoles.append(m_console);
        placeConsole(m_console);
        m_console->show();
    }
    m_console->appendLines(lines);
}

void CMainDlg::placeConsole(QWidget* console) const
{
    // Before it is shown the console has no frame yet: it will get one like
    // the main window's.
    const QMargins frame(geometry().left() - frameGeometry().left(),
                         geometry().top() - frameGeometry().top(),
                         frameGeometry().right() - geometry().right(),
                         frameGeometry().bottom() - geometry().bottom());
    const QRect place = consolePlace(screen()->availableGeometry(), frameGeometry(),
                                     console->size().grownBy(frame), int(m_consoles.size() - 1));
    console->resize(place.size().shrunkBy(frame));
    console->move(place.topLeft());
}

void CMainDlg::buildFinished()
{
    if (m_console)
        m_console->flush();
    m_console = nullptr;               // it stays on the screen; the next build opens another
    m_driver.release()->deleteLater(); // it is still emitting this signal
    lockForBuild(false);
}

void CMainDlg::buildIndex()
{
    if (!m_site)
        return;
    m_ui->buildIndexButton->setEnabled(false);
    CGeneralIndex index =
        siteIndex(*m_site, Preferences::ascending(), m_ui->framesCheckBox->isChecked());
    if (index.write().report())
        m_ui->progressLabel->setText(
            index.writtenPages().isEmpty()
                ? tr("The general index was up to date.")
                : tr("Wrote %1 in %2.")
                      .arg(QLocale().createSeparatedList(index.writtenPages()),
                           QDir::toNativeSeparators(m_site->reportsFolder())));
    if (m_ui->shortcutCheckBox->isChecked())
        createDesktopLink(m_site->name, m_site->reportsFolder()).report();
    m_ui->buildIndexButton->setEnabled(true);
    messages().beep();
    m_ui->shortcutCheckBox->setChecked(false);
}

void CMainDlg::displayIndex()
{
    if (m_site)
        openFile(generalIndexPage(*m_site));
}

void CMainDlg::displayErrors()
{
    if (m_site && !m_site->ErrorFile.isEmpty())
        openFile(joinPath(m_site->Root, m_site->ErrorFile));
}

void CMainDlg::preferences()
{
    CPrefsDlg dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        fillReportList();
}

// Quit, Escape and the close box all come here.
// The overview takes the place of the reports, beside the Site list.
void CMainDlg::showOverview(bool shown)
{
    if (shown)
        m_overview->refresh();
    m_ui->reportsGroup->setVisible(!shown);
    m_overview->setVisible(shown);
}

void CMainDlg::openSiteIndex(const QString& site)
{
    const int index = m_ui->siteCombo->findText(site, Qt::MatchFixedString);
    if (index >= 0) {
        m_ui->siteCombo->setCurrentIndex(index);
        displayIndex();
    }
}

void CMainDlg::reject()
{
    if (isBuilding() &&
        !messages().ask(tr("A build is running. Stop it and quit?"), Question::DangerousYesNo))
        return;
    // What the update had finished stays; the periods it was building are
    // built again by the next one.
    if (!isBuilding() && m_overview->isUpdating() &&
        !messages().ask(tr("An update is running. Stop it and quit?"), Question::DangerousYesNo))
        return;
    m_quitting = true;
    if (isBuilding()) // a build runs: stop it first, the window closes afterwards
        m_driver->stop();
    // Quitting ends the program: no console window is left behind.
    for (const QPointer<CConsoleProcessDlg>& console : std::as_const(m_consoles))
        if (console)
            console->close(); // deletes itself
    m_consoles.clear();
    QDialog::reject();
}

} // namespace meridan
