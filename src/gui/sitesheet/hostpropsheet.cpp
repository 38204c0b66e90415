#include "hostpropsheet.h"

#include "analog/basecfg.h"
#include "main/helppage.h"
#include "sitesheet/hostbasecfgpage.h"
#include "sitesheet/hostfolderspage.h"
#include "sitesheet/hostftppage.h"
#include "sitesheet/hostgenpage.h"
#include "sitesheet/hostlogfmtpage.h"
#include "sitesheet/hostlogpage.h"
#include "sitesheet/hostpostprocess.h"
#include "sitesheet/hostreportpage.h"
#include "sitesheet/sitepage.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "util/messages.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace meridan {

CHostPropSheet::CHostPropSheet(SiteRecord* site, QWidget* parent)
    : QDialog(parent), m_site(site), m_tabs(new QTabWidget(this)),
      m_buttons(new QDialogButtonBox(
          QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this))
{
    setObjectName(u"hostPropSheet"_s);
    setWindowTitle(tr("Configure Statistics"));
    addHelpKey(this);
    m_tabs->setObjectName(u"pageTabs"_s);
    m_tabs->setUsesScrollButtons(true); // one row of tabs, never stacked
    m_tabs->tabBar()->setExpanding(false);
    m_tabs->setElideMode(Qt::ElideNone);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_buttons);
    m_buttons->setObjectName(u"sheetButtons"_s);
    m_buttons->button(QDialogButtonBox::Apply)->setEnabled(false);
    m_cancelText = m_buttons->button(QDialogButtonBox::Cancel)->text();

    addPages();
    m_pages.first()->initialise();
    m_pages.first()->activate();
    if (m_site->isNew) {
        // The Folders page proposes and creates the new Site's folders when
        // the sheet is confirmed, even if its tab is never opened.
        m_pages.at(1)->initialise();
        m_buttons->button(QDialogButtonBox::Apply)->setEnabled(true);
    }
    connect(m_tabs, &QTabWidget::currentChanged, this, &CHostPropSheet::currentChanged);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CHostPropSheet::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CHostPropSheet::reject);
    connect(m_buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            &CHostPropSheet::applyPages);
    fitToTabs();
}

CHostPropSheet::~CHostPropSheet() = default;

void CHostPropSheet::addPages()
{
    addPage(new CHostGenPage(this), tr("General"));
    addPage(new CHostFoldersPage(this), tr("Folders"));
    addPage(new CHostReportPage(this), tr("Reports"));
    addPage(new CHostBaseCfgPage(this), tr("Cfg/Misc."));
    addPage(new CHostLogPage(this), tr("Logfiles"));
    addPage(new CHostLogFmtPage(this), tr("Specific formats"));
    addPage(new CHostPostProcess(this), tr("Post-process"));
    addPage(new CHostFtpPage(this), u"FTP"_s);
}

void CHostPropSheet::fitToTabs()
{
    // Wide enough for the whole row of tabs.
    const int tabsWidth =
        m_tabs->tabBar()->sizeHint().width() + 2 * this->layout()->contentsMargins().left() + 8;
    // Never larger than the screen: with a large font the pages scroll
    // rather than leave OK and Cancel out of reach.
    const QSize screen = this->screen()->availableGeometry().size() * 9 / 10;
    resize(sizeHint().expandedTo(QSize(std::max(560, tabsWidth), 460)).boundedTo(screen));
}

void CHostPropSheet::addPage(SitePage* page, const QString& title)
{
    page->setSite(m_site);
    m_pages.append(page);
    m_tabs->addTab(page, title);
    connect(page, &SitePage::modified, this, &CHostPropSheet::pageModified);
}

// After an Apply, Cancel reads Close; a later change gives it its word
// back, so that nothing typed is dropped under a button that says Close.
void CHostPropSheet::pageModified()
{
    m_buttons->button(QDialogButtonBox::Apply)->setEnabled(true);
    m_buttons->button(QDialogButtonBox::Cancel)->setText(m_cancelText);
}

void CHostPropSheet::currentChanged(int index)
{
    if (m_switching || index == m_shown)
        return;
    if (!m_pages.at(m_shown)->leave()) {
        // The page refuses to be left: show it again.
        m_switching = true;
        m_tabs->setCurrentIndex(m_shown);
        m_switching = false;
        return;
    }
    m_shown = index;
    m_pages.at(index)->initialise();
    m_pages.at(index)->activate();
}

bool CHostPropSheet::applyPages()
{
    if (!m_pages.at(m_shown)->leave())
        return false;
    for (int i = 0; i < m_pages.size(); ++i) {
        SitePage* page = m_pages.at(i);
        if (!page->isInitialised() || page->apply())
            continue;
        m_switching = true;
        m_tabs->setCurrentIndex(i);
        m_switching = false;
        m_shown = i;
        page->activate();
        return false;
    }
    // Values typed on pages that store them only with the record.
    if (!checkSite(*m_site).report())
        return false;
    // Every page's changes are stored now: after an Apply the Site exists,
    // and Close after it drops nothing.
    if (!SaveSite(*m_site).report())
        return false;
    m_applied = true;
    m_buttons->button(QDialogButtonBox::Apply)->setEnabled(false);
    // What was applied stays applied: Cancel no longer undoes anything.
    m_buttons->button(QDialogButtonBox::Cancel)->setText(tr("Close"));
    return true;
}

void CHostPropSheet::accept()
{
    if (applyPages())
        QDialog::accept();
}

} // namespace meridan
