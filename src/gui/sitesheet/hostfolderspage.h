#pragma once

#include "sitesheet/sitepage.h"

#include <memory>

class QTreeWidgetItem;

namespace Ui {
class CHostFoldersPage;
}

namespace meridan {

// "Folders": the statistics root with its configuration and reports folders
// (and the images folder), and the log folder, as a tree whose labels can
// be edited (F2). Applying creates the folders that are missing.
class CHostFoldersPage : public SitePage
{
    Q_OBJECT

public:
    explicit CHostFoldersPage(QWidget* parent = nullptr);
    ~CHostFoldersPage() override;

    void activate() override;
    bool apply() override;

protected:
    void load() override;

private:
    void buildTree();
    QString* valueOf(QTreeWidgetItem* item); // the record's value an item shows
    void labelEdited(QTreeWidgetItem* item, int column);
    void browseRoot();
    void browseLogs();
    void showFolder(QTreeWidgetItem* item, const QString& folder); // as if loaded

    std::unique_ptr<Ui::CHostFoldersPage> m_ui;
    QTreeWidgetItem* m_rootItem = nullptr;
    QTreeWidgetItem* m_logsItem = nullptr;
    bool m_building = false;
};

} // namespace meridan
