#pragma once

#include "sitesheet/sitepage.h"

#include <memory>

namespace Ui {
class CHostPostProcess;
}

namespace meridan {

// "Post-process": the command run after Analog for each report.
class CHostPostProcess : public SitePage
{
    Q_OBJECT

public:
    explicit CHostPostProcess(QWidget* parent = nullptr);
    ~CHostPostProcess() override;

protected:
    void load() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::CHostPostProcess> m_ui;
};

} // namespace meridan
