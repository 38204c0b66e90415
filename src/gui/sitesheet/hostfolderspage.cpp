#include "hostfolderspage.h"

#include "analog/sitefolders.h"
#include "main/filedialogs.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "store/valuenames.h"
#include "ui_hostfolderspage.h"
#include "util/messages.h"
#include "util/texts.h"

#include <QHeaderView>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

constexpr int kLabelRole = Qt::UserRole; // the label before an edit

QTreeWidgetItem* folderItem(QTreeWidgetItem* parent, const QString& label, const QIcon& icon)
{
    auto* item = new QTreeWidgetItem(parent, {label});
    item->setIcon(0, icon);
    item->setData(0, kLabelRole, label);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

QString browseFolder(QWidget* parent, const QString& title, const QString& current)
{
    return FileDialogs::existingFolder(parent, title, current);
}

} // namespace

CHostFoldersPage::CHostFoldersPage(QWidget* parent)
    : SitePage(parent), m_ui(std::make_unique<Ui::CHostFoldersPage>())
{
    m_ui->setupUi(this);
    // Whole paths, scrolled sideways rather than cut.
    m_ui->folderTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_ui->folderTree->header()->setStretchLastSection(false);
    connect(m_ui->folderTree, &QTreeWidget::itemChanged, this, &CHostFoldersPage::labelEdited);
    connect(m_ui->folderTree, &QTreeWidget::itemCollapsed, this,
            [](QTreeWidgetItem* item) { item->setExpanded(true); });
    connect(m_ui->imagesCheckBox, &QCheckBox::clicked, this, [this] {
        buildTree();
        emit modified();
    });
    connect(m_ui->browseRootButton, &QPushButton::clicked, this, &CHostFoldersPage::browseRoot);
    connect(m_ui->browseLogsButton, &QPushButton::clicked, this, &CHostFoldersPage::browseLogs);
}

CHostFoldersPage::~CHostFoldersPage() = default;

void CHostFoldersPage::load()
{
    m_ui->imagesCheckBox->setChecked(!site().ImagePath.isEmpty());
    buildTree();
}

void CHostFoldersPage::buildTree()
{
    m_building = true;
    QTreeWidget* tree = m_ui->folderTree;
    // Labels edited but not applied yet survive a rebuild for the images box.
    const QString root = m_rootItem ? m_rootItem->text(0) : site().Root;
    const QString cfg = m_rootItem ? m_rootItem->child(0)->text(0) : site().CfgDir;
    const QString reports = m_rootItem ? m_rootItem->child(1)->text(0) : site().ReportsRoot;
    const QString logs = m_logsItem ? m_logsItem->text(0) : site().LogsDir;
    tree->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
    m_rootItem = folderItem(nullptr, root, icon);
    tree->addTopLevelItem(m_rootItem);
    folderItem(m_rootItem, cfg, icon);
    QTreeWidgetItem* reportsItem = folderItem(m_rootItem, reports, icon);
    if (m_ui->imagesCheckBox->isChecked())
        folderItem(reportsItem, u"images"_s, icon)->setFlags(Qt::ItemIsEnabled);
    m_logsItem = folderItem(nullptr, logs, icon);
    tree->addTopLevelItem(m_logsItem);
    tree->expandAll();
    m_building = false;
}

void CHostFoldersPage::activate()
{
    m_seen = true;
    // A new Site shows the folders derived from the name on the General page.
    if (site().isNew && isInitialised()) {
        m_rootItem = m_logsItem = nullptr;
        buildTree();
    }
}

void CHostFoldersPage::labelEdited(QTreeWidgetItem* item, int)
{
    if (m_building)
        return;
    const QString text = item->text(0);
    const bool directChild = item->parent() == m_rootItem;
    const bool refused =
        text.trimmed().isEmpty() || (directChild && (text.contains(u'/') || text.contains(u'\\')));
    m_building = true;
    if (refused)
        item->setText(0, item->data(0, kLabelRole).toString());
    else
        item->setData(0, kLabelRole, text);
    m_building = false;
    if (!refused)
        emit modified();
}

void CHostFoldersPage::browseRoot()
{
    const QString chosen =
        browseFolder(this, tr("Choose the root folder for statistics."), site().Root);
    if (chosen.isEmpty())
        return;
    site().Root = chosen;
    m_building = true;
    m_rootItem->setText(0, chosen);
    m_rootItem->setData(0, kLabelRole, chosen);
    if (site().isNew) {
        site().LogsDir = chosen + u'/' + texts::logsFolderName;
        m_logsItem->setText(0, site().LogsDir);
        m_logsItem->setData(0, kLabelRole, site().LogsDir);
    }
    m_building = false;
    emit modified();
}

void CHostFoldersPage::browseLogs()
{
    const QString chosen =
        browseFolder(this, tr("Choose the root folder for log files."), site().LogsDir);
    if (chosen.isEmpty())
        return;
    site().LogsDir = chosen;
    m_building = true;
    m_logsItem->setText(0, chosen);
    m_logsItem->setData(0, kLabelRole, chosen);
    m_building = false;
    emit modified();
}

bool CHostFoldersPage::apply()
{
    // A new Site's folders follow the name typed on the General page when
    // this tab was never opened to show them.
    if (site().isNew && !m_seen) {
        m_rootItem = m_logsItem = nullptr;
        buildTree();
    }
    site().Root = m_rootItem->text(0);
    site().CfgDir = m_rootItem->child(0)->text(0);
    site().ReportsRoot = m_rootItem->child(1)->text(0);
    site().ImagePath = m_ui->imagesCheckBox->isChecked() ? u"images"_s : QString();
    site().LogsDir = m_logsItem->text(0);
    // Checked and cleaned before anything is created.
    for (auto [name, field] : {std::pair{values::Root, &SiteRecord::Root},
                               {values::CfgDir, &SiteRecord::CfgDir},
                               {values::ReportsRoot, &SiteRecord::ReportsRoot},
                               {values::LogsDir, &SiteRecord::LogsDir}}) {
        if (!acceptValue(name, &(site().*field)).report())
            return false;
    }
    return createSiteFolders(site(), true);
}

} // namespace meridan
