#include "sitesheet/hostpropsheet.h"
#include "sitesheet/sitepage.h"
#include "store/preferences.h"
#include "store/settingsstore.h"
#include "store/sitelists.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "support/modal.h"
#include "support/sandboxtest.h"
#include "support/testenvironment.h"
#include "widgets/editablelistctrl.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

using namespace meridan;
using namespace meridan::test;
using namespace Qt::StringLiterals;

namespace {

enum Tab { General, Folders, Reports, CfgMisc, Logfiles, SpecificFormats, PostProcess, Ftp };

} // namespace

class TestHostPropSheet : public SandboxTest
{
    Q_OBJECT

private:
    template <typename T> T* child(const char* name)
    {
        T* widget = sheet->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    void open(SiteRecord* record)
    {
        sheet = std::make_unique<CHostPropSheet>(record);
        sheet->show();
        QVERIFY(QTest::qWaitForWindowExposed(sheet.get()));
        sheet->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(sheet.get()));
    }
    void showTab(int tab) { child<QTabWidget>("pageTabs")->setCurrentIndex(tab); }
    int shownTab() { return child<QTabWidget>("pageTabs")->currentIndex(); }
    QPushButton* button(QDialogButtonBox::StandardButton which)
    {
        return child<QDialogButtonBox>("sheetButtons")->button(which);
    }
    void typeInto(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    std::unique_ptr<CHostPropSheet> sheet;

private slots:
    void cleanup()
    {
        sheet.reset();
        SandboxTest::cleanup();
    }

    // Refused on the page, before the sheet creates a folder or closes.
    void hostileNewSiteNameStaysOnTheGeneralPage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("quote") << u"q\"uote"_s << u"double quote"_s;
        QTest::newRow("variable") << u"%OutFile%"_s << u"percent sign"_s;
        QTest::newRow("slash") << u"Foo/Bar"_s << u"\"/\""_s;
    }
    void hostileNewSiteNameStaysOnTheGeneralPage()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        SiteRecord site = SiteRecord::NewSite();
        open(&site);
        typeInto(child<QLineEdit>("hostNameEdit"), name);
        button(QDialogButtonBox::Ok)->click();
        QVERIFY(sheet->isVisible());
        QCOMPARE(shownTab(), int(General));
        QVERIFY(!recorder->errors.isEmpty());
        QVERIFY2(recorder->errors.last().contains(message), qPrintable(recorder->errors.last()));
        QCOMPARE(QDir(home->path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(storedSiteNames().valueOr({}), QStringList());
    }

    // Steps as a user takes them: "Name=x" types the name and leaves the
    // box, "Folders" opens a tab, "urlEdit=x" types into a box of the shown
    // page. Defaults follow the name only where nothing was typed.
    void newSiteKeepsWhatWasTyped_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("root"); // below the home folder
        QTest::addColumn<QString>("postProcess");
        QTest::addColumn<QString>("ftpUser");
        QTest::newRow("a name, then OK") << QStringList{u"Name=site1  "_s} << u"www.site1.com"_s
                                         << u"site1/stats"_s << QString() << QString();
        QTest::newRow("Folders opened before the name")
            << QStringList{u"Folders"_s, u"General"_s, u"Name=site1"_s} << u"www.site1.com"_s
            << u"site1/stats"_s << QString() << QString();
        QTest::newRow("a URL typed after the name")
            << QStringList{u"Name=site1"_s, u"urlEdit=stats.example.org"_s, u"Folders"_s}
            << u"stats.example.org"_s << u"site1/stats"_s << QString() << QString();
        QTest::newRow("other pages typed, then the name changed")
            << QStringList{u"Name=site1"_s,
                           u"Post-process"_s,
                           u"postProcessEdit=tidy %OutPath%"_s,
                           u"FTP"_s,
                           u"ftpUrlEdit=ftp://logs.example.org/"_s,
                           u"ftpUserEdit=web"_s,
                           u"General"_s,
                           u"Name=site2"_s}
            << u"www.site2.com"_s << u"site2/stats"_s << u"tidy %OutPath%"_s << u"web"_s;
    }
    void newSiteKeepsWhatWasTyped()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, url);
        QFETCH(QString, root);
        QFETCH(QString, postProcess);
        QFETCH(QString, ftpUser);
        SiteRecord site = SiteRecord::NewSite();
        open(&site);
        QCOMPARE(child<QLineEdit>("hostNameEdit")->text(), u"NewWebSite"_s);
        QVERIFY(button(QDialogButtonBox::Apply)->isEnabled());
        auto* tabs = child<QTabWidget>("pageTabs");
        for (const QString& step : std::as_const(steps)) {
            const QString box = step.section(u'=', 0, 0), text = step.section(u'=', 1);
            if (!step.contains(u'=')) {
                for (int tab = 0; tab < tabs->count(); ++tab)
                    if (tabs->tabText(tab) == step)
                        showTab(tab);
                continue;
            }
            auto* edit = child<QWidget>(box == u"Name"_s ? "hostNameEdit" : qPrintable(box));
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, text);
            if (box == u"Name"_s)
                QTest::keyClick(edit, Qt::Key_Tab);
        }
        // OK asks for the two folders, then creates them.
        button(QDialogButtonBox::Ok)->click();
        QCOMPARE(recorder->questions.size(), 2);
        QCOMPARE(sheet->result(), int(QDialog::Accepted));
        QCOMPARE(site.Url, url);
        QCOMPARE(site.Root, home->path() + u'/' + root);
        QCOMPARE(site.PostProcessCmd, postProcess);
        QCOMPARE(site.FTPUser, ftpUser);
        QVERIFY(QFileInfo(site.Root + u"/reports/images"_s).isDir());
        QVERIFY(QFileInfo(site.LogsDir).isDir());
        QVERIFY(site.Save());
        QCOMPARE(storedSiteNames().valueOr({}), QStringList{site.name});
    }

    void declinedFolderKeepsTheSheetOnFolders()
    {
        SiteRecord site = SiteRecord::NewSite();
        open(&site);
        recorder->answers = {false};
        button(QDialogButtonBox::Ok)->click();
        QCOMPARE(shownTab(), int(Folders));
        QVERIFY(sheet->isVisible());
        QVERIFY(!QFileInfo::exists(site.Root));
    }

    void hostNameClashes_data()
    {
        QTest::addColumn<bool>("isNew");
        QTest::newRow("new Site") << true;
        QTest::newRow("renamed Site") << false;
    }
    void hostNameClashes()
    {
        QFETCH(bool, isNew);
        storedTestSite(u"Alpha"_s);
        SiteRecord site = isNew ? SiteRecord::NewSite() : storedTestSite(u"beta"_s);
        open(&site);
        typeInto(child<QLineEdit>("hostNameEdit"), u"alpha"_s);
        showTab(Reports);
        QCOMPARE(shownTab(), int(General));
        QVERIFY(recorder->errors.contains(u"The host alpha exists already!"_s));
        typeInto(child<QLineEdit>("hostNameEdit"), u"gamma"_s);
        showTab(Reports);
        QCOMPARE(shownTab(), int(Reports));
    }

    void languageOrLanguageFile()
    {
        SiteRecord site = storedTestSite(u"shop"_s);
        site.LangCode = u"de"_s;
        open(&site);
        auto* language = child<QComboBox>("languageCombo");
        auto* file = child<QComboBox>("languageFileCombo");
        QCOMPARE(file->currentText(), u"de"_s);
        language->setFocus(); // tabbing through the language changes nothing
        QTest::keyClick(language, Qt::Key_Tab);
        QCOMPARE(site.LangCode, u"de"_s);
        QVERIFY(!button(QDialogButtonBox::Apply)->isEnabled());
        language->setFocus();
        const int french = language->findText(u"FRENCH"_s);
        QVERIFY(french >= 0);
        language->setCurrentIndex(french);
        emit language->activated(french);
        QCOMPARE(site.Language, u"FRENCH"_s);
        QCOMPARE(site.LangCode, QString());
        QCOMPARE(file->currentText(), QString());
        // Typing a language file by hand and leaving it empties the language.
        file->setFocus();
        QTest::keyClicks(file, u"fr"_s);
        QTest::keyClick(file, Qt::Key_Tab);
        QCOMPARE(site.LangCode, u"fr"_s);
        QCOMPARE(site.Language, QString());
    }

    // After Apply the new Site exists: OK saves it as such, without a
    // word about its own name.
    void applyThenOkOnANewSite()
    {
        SiteRecord site = SiteRecord::NewSite();
        open(&site);
        typeInto(child<QLineEdit>("hostNameEdit"), u"Foxtrot"_s);
        showTab(Logfiles);
        button(QDialogButtonBox::Apply)->click();
        QCOMPARE(storedSiteNames().valueOr({}), QStringList{u"Foxtrot"_s});
        QVERIFY(!site.isNew);
        button(QDialogButtonBox::Ok)->click();
        QCOMPARE(sheet->result(), int(QDialog::Accepted));
        QVERIFY2(recorder->errors.isEmpty(), qPrintable(recorder->errors.join(u'\n')));
    }

    // Apply stores every page and Cancel reads "Close"; a later change makes
    // it "Cancel" again, and it drops only what came after Apply.
    void closeAfterApplyKeepsWhatWasApplied()
    {
        SiteRecord site = storedTestSite(u"shop"_s);
        open(&site);
        typeInto(child<QLineEdit>("urlEdit"), u"www.applied.org"_s);
        showTab(Ftp);
        typeInto(child<QLineEdit>("ftpUrlEdit"), u"ftp://logs.applied.org/"_s);
        child<QCheckBox>("requireTlsCheckBox")->click();
        typeInto(child<QLineEdit>("certificateEdit"), QString(u"ab"_s).repeated(32));
        button(QDialogButtonBox::Apply)->click();
        QCOMPARE(button(QDialogButtonBox::Cancel)->text(), u"Close"_s);
        showTab(General);
        typeInto(child<QLineEdit>("urlEdit"), u"www.dropped.org"_s);
        QCOMPARE(button(QDialogButtonBox::Cancel)->text(), u"Cancel"_s);
        button(QDialogButtonBox::Cancel)->click();
        const SiteRecord stored(u"shop"_s);
        QCOMPARE(stored.Url, u"www.applied.org"_s);
        QCOMPARE(stored.FTPUrl, u"ftp://logs.applied.org/"_s);
        QCOMPARE(stored.FTPRequireTLS, 1u);
        QCOMPARE(stored.FTPCertificate, QStringList(32, u"AB"_s).join(u':'));
    }

    void typedBaseNameCountsWhenTheFileExists()
    {
        SiteRecord site = storedTestSite(u"shop"_s);
        writeFile(site.cfgFolder() + u"/mine.basecfg"_s, "# mine\n");
        open(&site);
        showTab(CfgMisc);
        auto* base = child<QComboBox>("baseConfigCombo");
        base->setFocus();
        base->lineEdit()->selectAll();
        QTest::keyClicks(base, u"none"_s);
        showTab(General);
        QCOMPARE(shownTab(), int(CfgMisc));
        QVERIFY(recorder->errors.last().contains(u"none.basecfg"_s));
        base->lineEdit()->selectAll();
        QTest::keyClicks(base, u"mine"_s);
        showTab(General);
        QCOMPARE(shownTab(), int(General));
        QCOMPARE(site.DefaultBase, u"mine"_s);
    }

    void namingScheme_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("radio");
        QTest::addColumn<QString>("stored"); // "" when refused
        QTest::addColumn<quint32>("periodicity");
        QTest::newRow("monthly, normalised")
            << u" %YYYY%\\log%Yyyy%%MM% "_s << QByteArray("monthlyLogsRadio")
            << u"%yyyy%\\log%yyyy%%mm%"_s << quint32(kLogMonthly);
        QTest::newRow("numbered by logrotate") << u"access.log"_s << QByteArray("numberedLogsRadio")
                                               << u"access.log"_s << quint32(kLogNumbered);
        QTest::newRow("numbered, with a date")
            << u"access.log.%dd%"_s << QByteArray("numberedLogsRadio") << QString() << 0u;
        QTest::newRow("daily, folder-only variables")
            << u"%yyyy%%mm%\\log%dd%"_s << QByteArray("dailyLogsRadio") << QString() << 0u;
        QTest::newRow("weekly with a month")
            << u"ex%yy%%mm%%wk%"_s << QByteArray("weeklyLogsRadio") << QString() << 0u;
    }
    void namingScheme()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, radio);
        QFETCH(QString, stored);
        QFETCH(quint32, periodicity);
        SiteRecord site = storedTestSite(u"shop"_s);
        open(&site);
        showTab(Logfiles);
        typeInto(child<QLineEdit>("namingSchemeEdit"), typed);
        child<QRadioButton>(radio.constData())->click();
        saveScreenshot(sheet.get(), u"logs-"_s + QString::fromLatin1(QTest::currentDataTag()));
        button(QDialogButtonBox::Ok)->click();
        const auto key = [&](const QString& name) { return readStored(site.keyPath(), name); };
        if (stored.isEmpty()) {
            QCOMPARE(recorder->errors, QStringList{u"Inconsistent log file naming."_s});
            QCOMPARE(shownTab(), int(Logfiles));
            QVERIFY(sheet->isVisible());
            QCOMPARE(key(u"LogNameStruct"_s), u"%yyyy%/www.shop_%yyyy%%mm%%dd%.log.gz"_s);
            return;
        }
        QCOMPARE(sheet->result(), int(QDialog::Accepted));
        QCOMPARE(child<QLineEdit>("namingSchemeEdit")->text(), stored);
        QCOMPARE(key(u"LogNameStruct"_s), stored);
        QCOMPARE(key(u"LogPeriodicity"_s).toUInt(), periodicity);
    }

    void onlyShownPagesApply()
    {
        SiteRecord site = storedTestSite(u"shop"_s);
        QDir(site.LogsDir).removeRecursively();
        open(&site);
        showTab(Ftp);
        typeInto(child<QLineEdit>("ftpUrlEdit"), u"logs.example.com/www"_s);
        QTest::keyClick(child<QLineEdit>("ftpUrlEdit"), Qt::Key_Tab);
        QCOMPARE(child<QLineEdit>("ftpUrlEdit")->text(), u"ftp://logs.example.com/www"_s);
        QCOMPARE(site.FTPUrl, u"ftp://logs.example.com/www"_s);
        QVERIFY(button(QDialogButtonBox::Apply)->isEnabled());
        button(QDialogButtonBox::Apply)->click();
        QVERIFY(recorder->questions.isEmpty()); // the Folders page was never shown
        QVERIFY(!QFileInfo::exists(site.LogsDir));
        QCOMPARE(button(QDialogButtonBox::Cancel)->text(), u"Close"_s);
        QVERIFY(!button(QDialogButtonBox::Apply)->isEnabled());
        QCOMPARE(child<QLineEdit>("ftpPasswordEdit")->maxLength(), 63);
        QCOMPARE(child<QLineEdit>("ftpPasswordEdit")->echoMode(), QLineEdit::Password);
    }

    void reportOrder()
    {
        SiteRecord site = storedTestSite(u"shop"_s);
        open(&site);
        showTab(Reports);
        auto* list = child<QListWidget>("reportList");
        QCOMPARE(list->count(), 44);
        QVERIFY(child<QCheckBox>("allPeriodsCheckBox")->isChecked());
        QVERIFY(!child<QRadioButton>("dailyReportsRadio")->isEnabled());
        QCOMPARE(list->item(3)->text(), u"Monthly report"_s);
        list->item(3)->setCheckState(Qt::Checked);
        list->item(0)->setCheckState(Qt::Checked);
        // Move the monthly report to the top from the keyboard.
        list->setFocus();
        list->setCurrentRow(3);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(list, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(list->item(0)->text(), u"Monthly report"_s);
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(list->item(0)->checkState(), Qt::Checked);
        showTab(General);
        QVERIFY(site.ReportOrder[0].startsWith(u"mx-1QWDd"_s));
        QCOMPARE(site.ReportOrder[0].size(), 45);
        // Per period: "All periods" unchecked copies the common order; each
        // kind keeps its ticks through switching kinds and "All periods".
        const QString common = site.ReportOrder[0];
        showTab(Reports);
        child<QCheckBox>("allPeriodsCheckBox")->click();
        QVERIFY(child<QRadioButton>("dailyReportsRadio")->isChecked());
        const auto monthlyReport = [&] {
            return list->findItems(u"Monthly report"_s, Qt::MatchExactly).first()->checkState();
        };
        child<QRadioButton>("weeklyReportsRadio")->click();
        list->item(0)->setCheckState(Qt::Unchecked);
        child<QRadioButton>("monthlyReportsRadio")->click();
        QCOMPARE(monthlyReport(), Qt::Checked);
        child<QCheckBox>("allPeriodsCheckBox")->click();
        child<QCheckBox>("allPeriodsCheckBox")->click();
        child<QRadioButton>("weeklyReportsRadio")->click();
        QCOMPARE(monthlyReport(), Qt::Unchecked);
        showTab(General);
        QCOMPARE(site.ReportOrder[0], QString());
        QCOMPARE(site.ReportOrder[1], common);
        QCOMPARE(site.ReportOrder[3], common);
        QVERIFY(site.ReportOrder[2].startsWith(u"x-m1QWDd"_s));
        showTab(Reports);
        QTest::mouseClick(child<QPushButton>("resetButton"), Qt::LeftButton);
        for (const QString& order : site.ReportOrder)
            QVERIFY(order.isEmpty());
        // Months are kept by default; the last kind kept cannot be cleared.
        QVERIFY(child<QCheckBox>("keepMonthsCheckBox")->isChecked());
        child<QCheckBox>("keepYearsCheckBox")->click();
        child<QCheckBox>("keepMonthsCheckBox")->click();
        QCOMPARE(site.KeepPeriods, u"Y"_s);
        child<QCheckBox>("keepYearsCheckBox")->click();
        QVERIFY(child<QCheckBox>("keepYearsCheckBox")->isChecked());
        QCOMPARE(site.KeepPeriods, u"Y"_s);
    }

    void specificFormats()
    {
        SiteRecord site = storedTestSite(u"shop"_s);
        open(&site);
        showTab(SpecificFormats);
        auto* list = child<CEditableListCtrl>("formatList");
        const auto addAndEdit = [&](const QString& month, const QString& format, bool apache) {
            QTest::mouseClick(child<QPushButton>("addFormatButton"), Qt::LeftButton);
            QTreeWidgetItem* row = list->topLevelItem(0);
            for (const auto& [column, text] : {std::pair(1, month), std::pair(2, format)}) {
                list->editItem(row, column);
                auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                QVERIFY(editor);
                editor->selectAll();
                QTest::keyClicks(editor, text);
                QTest::keyClick(editor, Qt::Key_Return);
                QTRY_VERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()));
            }
            row->setCheckState(0, apache ? Qt::Checked : Qt::Unchecked);
        };
        addAndEdit(u"200212"_s, u"%h %t"_s, false);
        addAndEdit(u"200305"_s, u"%h %l %u"_s, true);
        addAndEdit(u"200313"_s, u"(...)"_s, false); // refused month: the row stays unfilled
        QCOMPARE(recorder->beeps, 1);
        QCOMPARE(list->topLevelItem(0)->text(1), u"(yyyymm)"_s);
        QTest::mouseClick(child<QPushButton>("addSpecialButton"), Qt::LeftButton);
        button(QDialogButtonBox::Ok)->click();
        QCOMPARE(sheet->result(), int(QDialog::Accepted));
        const auto key = [&](const QString& name) { return readStored(site.keyPath(), name); };
        QCOMPARE(key(u"LogFormatChanges"_s), u"200305|200212|"_s);
        QCOMPARE(key(u"200305"_s), u"A%h %l %u"_s);
        QCOMPARE(key(u"200212"_s), u"L%h %t"_s);
        QCOMPARE(key(u"LogSpecial"_s), QString()); // left at (yyyymm)
    }

    void postProcessVariablesTakeTheirForm()
    {
        SiteRecord site = storedTestSite(u"shop"_s);
        open(&site);
        showTab(PostProcess);
        auto* edit = child<QPlainTextEdit>("postProcessEdit");
        edit->setFocus();
        QTest::keyClicks(edit, u"cp %outfile/% %OUTPATH%/x"_s);
        QCOMPARE(site.PostProcessCmd, u"cp %outfile/% %OUTPATH%/x"_s);
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(site.PostProcessCmd, u"cp %OutFile/% %OutPath%/x"_s);
        QCOMPARE(edit->toPlainText(), site.PostProcessCmd);
    }

    void cfgMisc()
    {
        SiteRecord site = storedTestSite(u"shop"_s);
        writeFile(site.cfgFolder() + u"/my.site.basecfg"_s, "x");
        open(&site);
        showTab(CfgMisc);
        auto* bases = child<QComboBox>("baseConfigCombo");
        QCOMPARE(bases->count(), 2);
        QCOMPARE(bases->currentText(), u"analog"_s);
        const int mine = bases->findText(u"my"_s);
        bases->setCurrentIndex(mine);
        emit bases->activated(mine);
        QCOMPARE(site.DefaultBase, u"my"_s);
        auto* output = child<QComboBox>("outputCombo");
        QCOMPARE(output->currentText(), u"HTML"_s);
        output->setCurrentIndex(6);
        emit output->activated(6);
        QCOMPARE(site.Output, 6);
    }
};

QTEST_MAIN(TestHostPropSheet)
#include "tst_hostpropsheet.moc"
