#pragma once

#include "sitesheet/sitepage.h"

#include <memory>

namespace Ui {
class CHostBaseCfgPage;
}

namespace meridan {

// "Cfg/Misc.": the output type, the error file and the base configuration
// file, which "Edit file" opens in the user's text editor.
class CHostBaseCfgPage : public SitePage
{
    Q_OBJECT

public:
    explicit CHostBaseCfgPage(QWidget* parent = nullptr);
    ~CHostBaseCfgPage() override;

    // A base name typed into the box counts when such a file exists.
    bool leave() override;
    bool apply() override;

protected:
    void load() override;

private:
    void fillBaseList();
    void editFile();

    std::unique_ptr<Ui::CHostBaseCfgPage> m_ui;
};

} // namespace meridan
