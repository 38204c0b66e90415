#include "hostfolderspage.h"

#include "analog/sitefolders.h"
#include "main/filedialogs.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "store/valuenames.h"
#include "ui_hostfolderspage.h"
#include "util/messages.h"
#include "util/texts.h"

#include <QFileInfo>
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
    connect(m_ui->imagesCheckBox, &QCheckBox::clicked, this, [this](bool images) {
        site().ImagePath = images ? u"images"_s : QString();
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

// The tree shows the record, which takes every edit at once: a new Site's
// folders follow its name on the General page until they are edited.
void CHostFoldersPage::buildTree()
{
    m_building = true;
    QTreeWidget* tree = m_ui->folderTree;
    tree->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
    m_rootItem = folderItem(nullptr, site().Root, icon);
    tree->addTopLevelItem(m_rootItem);
    folderItem(m_rootItem, site().CfgDir, icon);
    QTreeWidgetItem* reportsItem = folderItem(m_rootItem, site().ReportsRoot, icon);
    if (!site().ImagePath.isEmpty())
        folderItem(reportsItem, u"images"_s, icon)->setFlags(Qt::ItemIsEnabled);
    folderItem(m_rootItem, QFileInfo(site().cacheFolder()).fileName(), icon);
    m_logsItem = folderItem(nullptr, site().LogsDir, icon);
    tree->addTopLevelItem(m_logsItem);
    tree->expandAll();
    m_building = false;
}

void CHostFoldersPage::activate()
{
    buildTree();
}

QString* CHostFoldersPage::valueOf(QTreeWidgetItem* item)
{
    if (item == m_rootItem)
        return &site().Root;
    if (item == m_logsItem)
        return &site().LogsDir;
    if (item->parent() != m_rootItem)
        return nullptr;
    QString* const folders[] = {&site().CfgDir, &site().ReportsRoot, &site().CacheDir};
    return folders[m_rootItem->indexOfChild(item)];
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
    if (refused)
        return;
    if (QString* value = valueOf(item))
        *value = text;
    emit modified();
}

void CHostFoldersPage::browseRoot()
{
    const QString chosen =
        browseFolder(this, tr("Choose the root folder for statistics."), site().Root);
    if (chosen.isEmpty())
        return;
    showFolder(m_rootItem, site().Root = chosen);
    if (site().isNew)
        showFolder(m_logsItem, site().LogsDir = chosen + u'/' + texts::logsFolderName);
    emit modified();
}

void CHostFoldersPage::browseLogs()
{
    const QString chosen =
        browseFolder(this, tr("Choose the root folder for log files."), site().LogsDir);
    if (chosen.isEmpty())
        return;
    showFolder(m_logsItem, site().LogsDir = chosen);
    emit modified();
}

void CHostFoldersPage::showFolder(QTreeWidgetItem* item, const QString& folder)
{
    m_building = true;
    item->setText(0, folder);
    item->setData(0, kLabelRole, folder);
    m_building = false;
}

bool CHostFoldersPage::apply()
{
    // Checked and cleaned before anything is created.
    for (auto [name, field] : {std::pair{values::Root, &SiteRecord::Root},
                               {values::CfgDir, &SiteRecord::CfgDir},
                               {values::ReportsRoot, &SiteRecord::ReportsRoot},
                               {values::CacheDir, &SiteRecord::CacheDir},
                               {values::LogsDir, &SiteRecord::LogsDir}}) {
        if (!acceptValue(name, &(site().*field)).report())
            return false;
    }
    for (const QString& folder : missingTopFolders(site()))
        if (!messages().ask(texts::askCreateFolder(folder)))
            return false;
    return createSiteFolders(site()).report();
}

} // namespace meridan
