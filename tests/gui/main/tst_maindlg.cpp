#include "analog/basecfg.h"
#include "dialogs/consoleprocessdlg.h"
#include "dialogs/prefsdlg.h"
#include "main/aboutdlg.h"
#include "main/consoleplacement.h"
#include "main/filedialogs.h"
#include "main/helppage.h"
#include "main/maindlg.h"
#include "main/overviewview.h"
#include "sitesheet/hostpropsheet.h"
#include "store/preferences.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "support/loggenerator.h"
#include "support/modal.h"
#include "support/sandboxtest.h"
#include "support/testenvironment.h"
#include "util/translations.h"
#include "widgets/hypertexte.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTranslator>
#include <QtTest>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

namespace {

void setAnalog(const QString& path)
{
    Preferences prefs = Preferences::load();
    prefs.analogPath = path;
    QVERIFY(prefs.save());
}

// Runs action on the sheet once it is open, then presses one of its buttons.
void whenSheetOpens(const std::function<void(CHostPropSheet*)>& action,
                    QDialogButtonBox::StandardButton press)
{
    WHEN_MODAL_OPENS(CHostPropSheet, [=](CHostPropSheet* sheet) {
        action(sheet);
        sheet->findChild<QDialogButtonBox*>(u"sheetButtons"_s)->button(press)->click();
        if (sheet->isVisible()) // a page refused: leave without applying
            sheet->reject();
    });
}

// Takes the files the program opens in the desktop's browser.
class OpenedFiles : public QObject
{
    Q_OBJECT

public:
    OpenedFiles() { QDesktopServices::setUrlHandler(u"file"_s, this, "open"); }
    ~OpenedFiles() override { QDesktopServices::unsetUrlHandler(u"file"_s); }
    QStringList names;

public slots:
    void open(const QUrl& url) { names.append(url.fileName()); }
};

} // namespace

class TestMainDlg : public SandboxTest
{
    Q_OBJECT

private:
    template <typename T> T* child(const char* name)
    {
        T* widget = window->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    void open()
    {
        window = std::make_unique<CMainDlg>();
        window->setSystemRoot(home->path()); // never this machine's web servers
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    // The texts of the shown buttons and labels that their controls cut
    // short.
    static QStringList clippedTexts(QWidget* top)
    {
        QStringList clipped;
        for (const QAbstractButton* button : top->findChildren<QAbstractButton*>())
            if (button->isVisible() && !button->text().isEmpty() &&
                button->width() < button->sizeHint().width())
                clipped << button->text();
        for (const QLabel* label : top->findChildren<QLabel*>())
            if (label->isVisible() && !label->text().isEmpty() &&
                (label->wordWrap() ? label->height() < label->heightForWidth(label->width())
                                   : label->width() < label->sizeHint().width()))
                clipped << label->text();
        return clipped;
    }
    QStringList comboItems(QComboBox* combo)
    {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
        return items;
    }
    QStringList reportRows()
    {
        QStringList rows;
        auto* list = child<QListWidget>("reportList");
        for (int i = 0; i < list->count(); ++i)
            rows.append(list->item(i)->text());
        return rows;
    }
    static CConsoleProcessDlg* findChildConsole()
    {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* console = qobject_cast<CConsoleProcessDlg*>(top); console && top->isVisible())
                return console;
        return nullptr;
    }
    // The main window on the years of a Site whose post-process command
    // takes its time, so that a build can be caught running.
    void openOnYearsOfASlowSite(const QString& postProcess)
    {
        setAnalog(u"/usr/bin/analog"_s);
        SiteRecord site = storedTestSite(u"shop"_s);
        site.PostProcessCmd = postProcess;
        QVERIFY(SaveSite(site));
        open();
        child<QRadioButton>("yearlyRadio")->click();
    }
    // Clicks Build and waits until the build has ended.
    void buildAndWait()
    {
        child<QPushButton>("buildButton")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!window->isBuilding(), 60000);
    }
    std::unique_ptr<CMainDlg> window;

private slots:
    void cleanup()
    {
        window.reset();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (qobject_cast<CConsoleProcessDlg*>(top))
                delete top;
        SandboxTest::cleanup();
    }

    void startWithoutSites()
    {
        // The first start stores the Analog it finds.
        QCOMPARE(Preferences::load().analogPath, QString());
        open();
        QCOMPARE(Preferences::load().analogPath, Preferences::proposedAnalogPath());
        window.reset();
        setAnalog(u"/nowhere/analog"_s);
        open();
        QCOMPARE(child<QComboBox>("siteCombo")->count(), 0);
        for (const char* name :
             {"buildButton", "buildIndexButton", "displayIndexButton", "displayErrorsButton"})
            QVERIFY2(!child<QPushButton>(name)->isEnabled(), name);
        // Add without the Analog program says so and adds nothing.
        child<QPushButton>("addButton")->click();
        QCOMPARE(recorder->errors, QStringList{u"Cannot find the Analog program. Please enter its "
                                               u"path in the Preferences dialog."_s});
        saveScreenshot(window.get(), u"main-empty"_s);
    }

    void sitesAreSortedWithoutRegardToCase()
    {
        for (const QString& name : {u"beta"_s, u"Alpha"_s, u"gamma"_s})
            storedTestSite(name);
        open();
        QCOMPARE(comboItems(child<QComboBox>("siteCombo")),
                 (QStringList{u"Alpha"_s, u"beta"_s, u"gamma"_s}));
        QCOMPARE(window->currentSite()->name, u"Alpha"_s);
        QVERIFY(child<QPushButton>("buildButton")->isEnabled());
        QVERIFY(child<QCheckBox>("framesCheckBox")->isChecked());
    }

    // With a web server on the machine, Add first offers a Site of its logs.
    void addThroughTheSheet_data()
    {
        QTest::addColumn<bool>("apache");
        QTest::addColumn<QString>("logsDir"); // below the home folder
        QTest::newRow("no web server") << false << u"shop.example/stats/logs"_s;
        QTest::newRow("this machine's Apache") << true << u"var/log/apache2"_s;
    }
    void addThroughTheSheet()
    {
        QFETCH(bool, apache);
        QFETCH(QString, logsDir);
        if (apache)
            writeFile(home->file(u"var/log/apache2/access.log"_s), "");
        setAnalog(u"/usr/bin/analog"_s);
        open();
        whenSheetOpens(
            [](CHostPropSheet* sheet) {
                auto* name = sheet->findChild<QLineEdit*>(u"hostNameEdit"_s);
                name->setFocus();
                name->selectAll();
                QTest::keyClicks(name, u"shop.example"_s);
            },
            QDialogButtonBox::Ok);
        child<QPushButton>("addButton")->click();
        QCOMPARE(comboItems(child<QComboBox>("siteCombo")), QStringList{u"shop.example"_s});
        QCOMPARE(child<QComboBox>("siteCombo")->currentText(), u"shop.example"_s);
        // The server's logs or a log folder still to make, and the root.
        QCOMPARE(recorder->questions.size(), 2);
        QCOMPARE(recorder->questions.first().contains(u"apache2"_s), apache);
        QVERIFY(QFileInfo(home->file(u"shop.example/stats/cfg"_s)).isDir());
        const SiteRecord stored(u"shop.example"_s);
        QCOMPARE(stored.LogsDir, home->file(logsDir));
        QCOMPARE(stored.LogPeriodicity, apache ? quint32(kLogNumbered) : quint32(kLogDaily));
    }

    void editCancelRestoresAndOkRenames()
    {
        storedTestSite(u"shop"_s);
        open();
        whenSheetOpens(
            [](CHostPropSheet* sheet) {
                QTest::keyClicks(sheet->findChild<QLineEdit*>(u"urlEdit"_s), u"changed"_s);
                QTest::keyClicks(sheet->findChild<QLineEdit*>(u"hostNameEdit"_s), u"2"_s);
            },
            QDialogButtonBox::Cancel);
        child<QPushButton>("editButton")->click();
        QCOMPARE(window->currentSite()->name, u"shop"_s);
        QCOMPARE(window->currentSite()->Url, u"www.shop.com"_s);
        whenSheetOpens(
            [](CHostPropSheet* sheet) {
                auto* name = sheet->findChild<QLineEdit*>(u"hostNameEdit"_s);
                name->setFocus();
                name->selectAll();
                QTest::keyClicks(name, u"Shop2"_s);
            },
            QDialogButtonBox::Ok);
        child<QPushButton>("editButton")->click();
        QCOMPARE(comboItems(child<QComboBox>("siteCombo")), QStringList{u"Shop2"_s});
        QCOMPARE(storedSiteNames().valueOr({}), QStringList{u"Shop2"_s});
    }

    void deleteAsksFirst()
    {
        storedTestSite(u"a"_s);
        storedTestSite(u"b"_s);
        open();
        recorder->answers = {false};
        child<QPushButton>("deleteButton")->click();
        QCOMPARE(recorder->questionKinds, QList<Question>{Question::DangerousYesNo}); // No first
        QCOMPARE(storedSiteNames().valueOr({}).size(), 2);
        recorder->answers = {true};
        child<QPushButton>("deleteButton")->click();
        QVERIFY(recorder->questions.last().startsWith(u"Delete the Site a? Only its settings"_s));
        QCOMPARE(storedSiteNames().valueOr({}), QStringList{u"b"_s});
        QCOMPARE(child<QComboBox>("siteCombo")->currentIndex(), -1);
        QVERIFY(!window->currentSite());
        QVERIFY(!child<QPushButton>("buildButton")->isEnabled());
        QVERIFY(QFileInfo(home->file(u"a/stats"_s)).isDir());
    }

    void dailyPeriodControls()
    {
        storedTestSite(u"shop"_s);
        open();
        child<QRadioButton>("dailyRadio")->click();
        QVERIFY(child<QComboBox>("dayCombo")->isVisible());
        child<QSpinBox>("yearSpinBox")->setValue(2004);
        auto* period = child<QComboBox>("periodCombo");
        period->setCurrentIndex(2);
        emit period->activated(2);
        QCOMPARE(child<QComboBox>("dayCombo")->count(), 30); // "(all)" and 29 days
        QCOMPARE(child<QLineEdit>("reportNameEdit")->text(), QString());
        child<QSpinBox>("yearSpinBox")->setValue(2003);
        QCOMPARE(child<QComboBox>("dayCombo")->count(), 29);
        auto* day = child<QComboBox>("dayCombo");
        day->setCurrentIndex(28);
        emit day->activated(28);
        QCOMPARE(child<QLineEdit>("reportNameEdit")->text(), u"2003-02-28/stats2003-02-28.html"_s);
        child<QRadioButton>("yearlyRadio")->click();
        QVERIFY(!child<QComboBox>("periodCombo")->isVisible());
        QCOMPARE(child<QLineEdit>("reportNameEdit")->text(), u"2003/stats2003.html"_s);
    }

    void reportListClicksAndOrder_data()
    {
        QTest::addColumn<QString>("period");
        QTest::addColumn<QByteArray>("radio");
        QTest::addColumn<int>("position");
        QTest::newRow("week") << u"2003-W07"_s << QByteArray("weeklyRadio") << 7;
        QTest::newRow("quarter") << u"2003-Q3"_s << QByteArray("quarterlyRadio") << 3;
        QTest::newRow("year") << u"2003"_s << QByteArray("yearlyRadio") << -1;
        QTest::newRow("day") << u"2003-04-05"_s << QByteArray("dailyRadio") << 4;
    }
    void reportListClicksAndOrder()
    {
        QFETCH(QString, period);
        QFETCH(QByteArray, radio);
        QFETCH(int, position);
        storedTestSite(u"shop"_s);
        for (const QString& name : {u"2003"_s, u"2003-W07"_s, u"2003-Q3"_s, u"2003-04-05"_s})
            writeFile(home->file(u"shop/stats/cfg/"_s + name + u".cfg"_s), "x");
        open();
        QCOMPARE(reportRows(),
                 (QStringList{u"2003-W07"_s, u"2003-Q3"_s, u"2003-04-05"_s, u"2003"_s}));
        auto* list = child<QListWidget>("reportList");
        QListWidgetItem* item = list->findItems(period, Qt::MatchExactly).first();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
        QVERIFY(child<QRadioButton>(radio.constData())->isChecked());
        QCOMPARE(child<QSpinBox>("yearSpinBox")->value(), 2003);
        if (position >= 0)
            QCOMPARE(child<QComboBox>("periodCombo")->currentIndex(), position);
        QCOMPARE(child<QLineEdit>("reportNameEdit")->text(),
                 period + u"/stats"_s + period + u".html"_s);
        // Ascending after the preferences say so.
        Preferences prefs = Preferences::load();
        prefs.cfgAscending = true;
        prefs.maxLogFileMiB = 77; // not in the dialog: its OK keeps it
        QVERIFY(prefs.save());
        WHEN_MODAL_OPENS(CPrefsDlg, [](CPrefsDlg* dialog) {
            QVERIFY(dialog->findChild<QCheckBox*>(u"ascendingCheckBox"_s)->isChecked());
            dialog->accept();
        });
        child<QPushButton>("preferencesButton")->click();
        QCOMPARE(reportRows().first(), u"2003"_s);
        QCOMPARE(Preferences::load().maxLogFileMiB, 77);
        // The Delete key removes the configuration file, not the reports.
        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_Delete);
        QVERIFY(!QFile::exists(home->file(u"shop/stats/cfg/2003.cfg"_s)));
        QCOMPARE(reportRows().size(), 3);
    }

    void buildAMonthAndItsIndex()
    {
        setAnalog(u"/usr/bin/analog"_s);
        const SiteRecord site = storedTestSite(u"shop"_s);
        writeLogs(site, QDate(2003, 8, 31), QDate(2003, 10, 1), 30);
        open();
        child<QSpinBox>("yearSpinBox")->setValue(2003);
        auto* period = child<QComboBox>("periodCombo");
        period->setCurrentIndex(9);
        emit period->activated(9);
        QCOMPARE(child<QLineEdit>("reportNameEdit")->text(), u"2003-09/stats2003-09.html"_s);
        buildAndWait();
        QVERIFY(recorder->errors.isEmpty());
        QCOMPARE(reportRows(), QStringList{u"2003-09"_s});
        QVERIFY(QFile::exists(site.reportsFolder() + u"/2003-09/stats2003-09.html"_s));
        CConsoleProcessDlg* console = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* found = qobject_cast<CConsoleProcessDlg*>(top))
                console = found;
        QVERIFY(console && console->isVisible());
        const QStringList lines = console->shownLines();
        QVERIFY(lines.contains(u"----------"_s));
        QCOMPARE(lines.mid(lines.size() - 2), (QStringList{u"Exit code: 0"_s, u" "_s}));
        QCOMPARE(child<QPushButton>("buildButton")->text(), u"&Build"_s);
        saveScreenshot(console, u"console"_s);
        saveScreenshot(window.get(), u"main"_s);
        // Up to date now: only out-of-date reports builds nothing.
        const QString report = site.reportsFolder() + u"/2003-09/stats2003-09.html"_s;
        const QDateTime built = QFileInfo(report).lastModified();
        child<QCheckBox>("staleCheckBox")->setChecked(true);
        buildAndWait();
        QCOMPARE(QFileInfo(report).lastModified(), built);
        // The general index over it.
        child<QCheckBox>("shortcutCheckBox")->setChecked(true);
        child<QPushButton>("buildIndexButton")->click();
        QVERIFY(readAll(site.reportsFolder() + u"/mernav.html"_s)
                    .contains("2003-09/stats2003-09.html"));
        QVERIFY(!child<QCheckBox>("shortcutCheckBox")->isChecked());
        QCOMPARE(recorder->beeps, 1);
        QVERIFY(child<QLabel>("progressLabel")->text().startsWith(u"Wrote index.html, "_s));
        child<QPushButton>("buildIndexButton")->click();
        QCOMPARE(child<QLabel>("progressLabel")->text(), u"The general index was up to date."_s);
    }

    void consoleClosedDuringABuild()
    {
        openOnYearsOfASlowSite(u"/bin/sh -c \"sleep 1; echo after\""_s);
        QTimer::singleShot(300, [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (qobject_cast<CConsoleProcessDlg*>(top))
                    top->close(); // deletes itself
        });
        buildAndWait();
        QCOMPARE(child<QPushButton>("buildButton")->text(), u"&Build"_s);
        QCOMPARE(reportRows(), QStringList{QString::number(QDate::currentDate().year())});
    }

    // Quit, Escape and the close box ask before they stop a build; quitting
    // closes every console.
    void quitDuringABuildAsksAndClosesEveryConsole_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Quit") << u"Quit"_s;
        QTest::newRow("Escape") << u"Escape"_s;
        QTest::newRow("close box") << u"close box"_s;
    }
    void quitDuringABuildAsksAndClosesEveryConsole()
    {
        QFETCH(QString, how);
        openOnYearsOfASlowSite(u"/bin/sh -c \"sleep 1; echo after\""_s);
        buildAndWait(); // a first console stays open
        child<QPushButton>("buildButton")->click();
        QVERIFY(window->isBuilding());
        const auto quit = [&] {
            if (how == u"Quit"_s)
                child<QPushButton>("quitButton")->click();
            else if (how == u"Escape"_s)
                QTest::keyClick(window.get(), Qt::Key_Escape);
            else
                window->close();
        };
        recorder->answers = {false};
        quit();
        QCOMPARE(recorder->questions, QStringList{u"A build is running. Stop it and quit?"_s});
        QVERIFY(window->isVisible());
        QVERIFY(window->isBuilding());
        quit();
        QVERIFY(!window->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!window->isBuilding(), 10000);
        const auto consolesLeft = [] {
            int count = 0;
            for (QWidget* top : QApplication::topLevelWidgets())
                count += qobject_cast<CConsoleProcessDlg*>(top) && top->isVisible();
            return count;
        };
        QTRY_COMPARE(consolesLeft(), 0);
    }

    void consoleShowsWholeLinesCopiesAndSaves()
    {
        CConsoleProcessDlg console;
        console.resize(320, 200);
        console.show();
        QVERIFY(QTest::qWaitForWindowExposed(&console));
        const QString wide = QString(300, u'x') + QString(100, QChar(0x6F22)) + u"end"_s;
        console.appendLines({u"short"_s, wide, u"last"_s});
        console.flush();
        auto* view = console.findChild<QListView*>(u"consoleLines"_s);
        QCOMPARE(view->textElideMode(), Qt::ElideNone);
        // Scrolled to the end, the whole line is in sight.
        QVERIFY(view->horizontalScrollBar()->maximum() + view->viewport()->width() >=
                QFontMetricsF(view->font()).horizontalAdvance(wide));
        console.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&console));
        view->setFocus();
        QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"short\n"_s + wide + u"\nlast"_s);
        const QString saved = home->file(u"console.txt"_s);
        FileDialogs::setNextAnswers({saved});
        console.findChild<QPushButton*>(u"saveButton"_s)->click();
        QCOMPARE(readAll(saved), (u"short\n"_s + wide + u"\nlast\n"_s).toUtf8());
    }

    // A console stays on the screen and off the main window wherever the
    // screen leaves room; shrunk only when no free part holds it whole.
    void consolesLeaveTheMainWindowInSight_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("main");
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<bool>("clear");
        const QRect large(0, 0, 1920, 1080);
        QTest::newRow("room on the right")
            << large << QRect(100, 100, 600, 500) << 0 << true << true;
        QTest::newRow("room on the left") << large << QRect(1200, 0, 700, 500) << 0 << true << true;
        QTest::newRow("ninth console") << large << QRect(100, 500, 600, 560) << 8 << true << true;
        QTest::newRow("only below, too low for it whole")
            << QRect(0, 0, 1024, 768) << QRect(200, 100, 600, 500) << 0 << false << true;
        QTest::newRow("a screen the main window fills, at scale 1.5")
            << QRect(0, 0, 683, 512) << QRect(0, 0, 650, 500) << 0 << false << false;
    }
    void consolesLeaveTheMainWindowInSight()
    {
        QFETCH(QRect, screen);
        QFETCH(QRect, main);
        QFETCH(int, before);
        QFETCH(bool, whole);
        QFETCH(bool, clear);
        const QSize console(660, 350);
        const QRect placed = consolePlace(screen, main, console, before);
        QVERIFY(screen.contains(placed));
        QCOMPARE(placed.size() == console, whole);
        QCOMPARE(!placed.intersects(main), clear);
    }

    // Holding Enter neither starts nor stops builds; the console leaves the
    // Build and Stop button in sight.
    void enterAndTheConsoleLeaveBuildAndStopAlone()
    {
        openOnYearsOfASlowSite(u"/bin/sh -c \"sleep 2\""_s);
        auto* build = child<QPushButton>("buildButton");
        build->setFocus();
        const auto pressEnter = [&](bool held) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), held);
            QApplication::sendEvent(QApplication::focusWidget(), &press);
        };
        pressEnter(true);
        QVERIFY(!window->isBuilding());
        pressEnter(false);
        QVERIFY(window->isBuilding());
        QVERIFY(!build->isDefault());
        pressEnter(false);
        pressEnter(true);
        QVERIFY(window->isBuilding());
        CConsoleProcessDlg* console = nullptr;
        QTRY_VERIFY((console = findChildConsole()) != nullptr);
        const QRect button(build->mapToGlobal(QPoint(0, 0)), build->size());
        QVERIFY(!console->frameGeometry().intersects(button));
        QTRY_VERIFY_WITH_TIMEOUT(!window->isBuilding(), 30000);
        QVERIFY(build->isDefault());
    }

    // Whatever kind of period is chosen, nothing moves and names show whole.
    void columnsStayWhereTheyAre()
    {
        storedTestSite(u"shop"_s);
        open();
        auto* build = child<QPushButton>("buildButton");
        auto* name = child<QLineEdit>("reportNameEdit");
        const auto settled = [this] {
            QCoreApplication::sendPostedEvents();
            window->layout()->activate();
        };
        settled();
        const QRect buildAt = build->geometry();
        const QRect nameAt = name->geometry();
        for (const char* radio : {"dailyRadio", "weeklyRadio", "quarterlyRadio", "halfYearlyRadio",
                                  "yearlyRadio", "monthlyRadio"}) {
            child<QRadioButton>(radio)->click();
            settled();
            QCOMPARE(build->geometry(), buildAt);
            QCOMPARE(name->geometry(), nameAt);
        }
        name->setText(u"2003-12-28/stats2003-12-28.html"_s);
        QVERIFY(name->fontMetrics().horizontalAdvance(name->text()) < name->contentsRect().width());
    }

    // Under a French locale the windows read French, from their forms, their
    // code, the core and the report names of the shipped data alike; in
    // either language every control shows its whole text (also run at scale
    // 1.5).
    void windowsInBothLanguages_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("build");
        QTest::addColumn<QString>("firstReport");
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedKingdom) << u"&Build"_s
                                 << u"General summary"_s;
        QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << u"&Construire"_s
                                << u"Résumé général"_s;
    }
    void windowsInBothLanguages()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, build);
        QFETCH(QString, firstReport);
        const QString language = locale.name().left(2);
        QLocale::setDefault(locale);
        installTranslations(locale);
        const auto uninstall = qScopeGuard([] {
            qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>());
            QLocale::setDefault(QLocale::system());
        });
        storedTestSite(u"shop"_s);
        open();
        QCOMPARE(child<QPushButton>("buildButton")->text(), build);
        // F1 opens the help in the window's language, also from modal windows.
        const QString help = language == u"en"_s ? u"help.html"_s : u"help_fr.html"_s;
        OpenedFiles opened;
        const auto pressF1 = [](QWidget* dialog) {
            dialog->activateWindow();
            QTRY_VERIFY(QApplication::activeWindow() == dialog);
            QTest::keyClick(dialog, Qt::Key_F1);
        };
        whenSheetOpens(pressF1, QDialogButtonBox::Cancel);
        child<QPushButton>("editButton")->click();
        WHEN_MODAL_OPENS(CPrefsDlg, [&](CPrefsDlg* prefs) {
            pressF1(prefs);
            prefs->reject();
        });
        child<QPushButton>("preferencesButton")->click();
        QCOMPARE(opened.names, QStringList(2, help));
        for (const char* radio : {"dailyRadio", "weeklyRadio", "quarterlyRadio", "halfYearlyRadio",
                                  "yearlyRadio", "monthlyRadio"}) {
            child<QRadioButton>(radio)->click();
            QCoreApplication::sendPostedEvents();
            QCOMPARE(clippedTexts(window.get()), QStringList());
        }
        saveScreenshot(window.get(), u"main-"_s + language);
        CPrefsDlg prefs;
        prefs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&prefs));
        QCOMPARE(clippedTexts(&prefs), QStringList());
        saveScreenshot(&prefs, u"preferences-"_s + language);
        SiteRecord site(u"shop"_s);
        CHostPropSheet sheet(&site);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        auto* tabs = sheet.findChild<QTabWidget*>(u"pageTabs"_s);
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            QCoreApplication::sendPostedEvents();
            QCOMPARE(clippedTexts(&sheet), QStringList());
            saveScreenshot(&sheet, u"sheet-%1-%2"_s.arg(language).arg(page));
        }
        const auto* reports = sheet.findChild<QListWidget*>(u"reportList"_s);
        QCOMPARE(reports->item(0)->text(), firstReport);
    }

    // Update now runs the update beside the window; a Site whose update
    // failed stands out and says why.
    void overviewUpdatesAndSorts()
    {
        setAnalog(u"/usr/bin/analog"_s);
        qputenv("PATH", QFileInfo(qEnvironmentVariable("MERIDAN_CLI")).path().toLocal8Bit() + ':' +
                            qgetenv("PATH"));
        for (const QString& name : {u"blog"_s, u"shop"_s})
            storedTestSite(name);
        const QDate today = QDate::currentDate();
        writeLogs(SiteRecord(u"shop"_s), today.addDays(-40), today.addDays(-1), 24);
        QVERIFY(QDir(SiteRecord(u"blog"_s).Root).removeRecursively()); // its update fails
        open();
        child<QPushButton>("overviewButton")->click();
        QVERIFY(!child<QWidget>("reportsGroup")->isVisible());
        auto* table = window->overview()->table();
        QCOMPARE(table->model()->rowCount(), 2);
        window->overview()->updateNow();
        QVERIFY(window->overview()->isUpdating());
        QVERIFY(child<QPushButton>("buildButton")->isEnabled()); // the window stays usable
        recorder->answers = {false};
        window->close();
        QCOMPARE(recorder->questions, QStringList{u"An update is running. Stop it and quit?"_s});
        QVERIFY(window->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!window->overview()->isUpdating(), 120000);
        const auto cell = [&](int row, int column, int role = Qt::DisplayRole) {
            return table->model()->index(row, column).data(role);
        };
        QCOMPARE(cell(0, OverviewModel::Site).toString(), u"blog"_s);
        QVERIFY(cell(0, OverviewModel::Site, Qt::ToolTipRole).toString().contains(u"missing"_s));
        QVERIFY(cell(0, OverviewModel::Site, Qt::FontRole).value<QFont>().bold());
        QCOMPARE(cell(1, OverviewModel::Yesterday).toString(), u"24"_s);
        QCOMPARE(cell(1, OverviewModel::Days, OverviewModel::kSeriesRole).toList().size(), 30);
        table->sortByColumn(OverviewModel::ThisMonth, Qt::DescendingOrder);
        QCOMPARE(cell(0, OverviewModel::Site).toString(), u"shop"_s);
        saveScreenshot(window.get(), u"main-overview"_s);
    }

    void aboutAndPreferencesPictures()
    {
        AboutDlg about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const QList<CHypertexte*> links = about.findChildren<CHypertexte*>();
        QCOMPARE(links.size(), 3);
        QCOMPARE(links.first()->text(), u"Help & getting started"_s); // "&" shown as itself
        QVERIFY(QFile::exists(links.first()->target().toLocalFile()));
        QVERIFY(
            about.findChild<QLabel*>(u"licenceLabel"_s)->text().contains(u"version 3 or later"_s));
        saveScreenshot(&about, u"about"_s);
        CPrefsDlg prefs;
        prefs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&prefs));
        QCOMPARE(prefs.findChild<QLineEdit*>(u"textEditorEdit"_s)->text(), u"xdg-open"_s);
        // The chooser answers for the user; a Cancel changes nothing.
        FileDialogs::setNextAnswers({u"/opt/analog/analog"_s, QString(), u"/srv/www/all"_s});
        prefs.findChild<QPushButton*>(u"browseAnalogButton"_s)->click();
        prefs.findChild<QPushButton*>(u"browseEditorButton"_s)->click();
        prefs.findChild<QPushButton*>(u"browseOverviewButton"_s)->click();
        QCOMPARE(FileDialogs::asked().size(), 3);
        QCOMPARE(prefs.findChild<QLineEdit*>(u"overviewFolderEdit"_s)->text(), u"/srv/www/all"_s);
        QCOMPARE(prefs.findChild<QLineEdit*>(u"analogPathEdit"_s)->text(), u"/opt/analog/analog"_s);
        QCOMPARE(prefs.findChild<QLineEdit*>(u"textEditorEdit"_s)->text(), u"xdg-open"_s);
        saveScreenshot(&prefs, u"preferences"_s);
        prefs.reject();
        QCOMPARE(Preferences::load().textEditor, QString()); // Cancel stores nothing
        QCOMPARE(Preferences::load().overviewFolder, QString());
        CPrefsDlg again;
        again.findChild<QLineEdit*>(u"overviewFolderEdit"_s)->setText(u"  pages "_s);
        again.accept();
        QCOMPARE(Preferences::load().overviewFolder, QDir::current().absoluteFilePath(u"pages"_s));
    }
};

QTEST_MAIN(TestMainDlg)
#include "tst_maindlg.moc"
