#pragma once

#include "sitesheet/sitepage.h"

#include <memory>

class QButtonGroup;

namespace Ui {
class CHostLogPage;
}

namespace meridan {

// "Logfiles": the naming scheme of the log files and how often the server
// starts a new one; applying checks that the two fit together.
class CHostLogPage : public SitePage
{
    Q_OBJECT

public:
    explicit CHostLogPage(QWidget* parent = nullptr);
    ~CHostLogPage() override;

    bool apply() override;

protected:
    void load() override;

private:
    std::unique_ptr<Ui::CHostLogPage> m_ui;
    QButtonGroup* m_periodicity;
};

} // namespace meridan
