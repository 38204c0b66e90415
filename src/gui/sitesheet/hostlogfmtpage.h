#pragma once

#include "sitesheet/sitepage.h"

#include <memory>

namespace Ui {
class CHostLogFmtPage;
}

namespace meridan {

class CEditableListCtrl;

// "Specific formats": log formats in force from a month on, and months
// whose configuration gets a file of the user's instead of LOGFILE lines.
// Read from the store when first shown, written to it when applied.
class CHostLogFmtPage : public SitePage
{
    Q_OBJECT

public:
    explicit CHostLogFmtPage(QWidget* parent = nullptr);
    ~CHostLogFmtPage() override;

    bool apply() override;

protected:
    void load() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addRow(CEditableListCtrl* list, const QString& second);

    std::unique_ptr<Ui::CHostLogFmtPage> m_ui;
};

} // namespace meridan
