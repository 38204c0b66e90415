#pragma once

#include "sitesheet/sitepage.h"

#include <memory>

namespace Ui {
class CHostFtpPage;
}

namespace meridan {

// "FTP": where the Site's log files are fetched from, and the login.
class CHostFtpPage : public SitePage
{
    Q_OBJECT

public:
    explicit CHostFtpPage(QWidget* parent = nullptr);
    ~CHostFtpPage() override;

protected:
    void load() override;

private:
    void urlChanged(const QString& text);

    std::unique_ptr<Ui::CHostFtpPage> m_ui;
};

} // namespace meridan
