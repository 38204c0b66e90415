#pragma once

#include "sitesheet/sitepage.h"

#include <memory>

namespace Ui {
class CHostGenPage;
}

namespace meridan {

// "General": host name, URL, Analog's command line, and the language of the
// reports (an Analog language name or a language file, never both).
class CHostGenPage : public SitePage
{
    Q_OBJECT

public:
    explicit CHostGenPage(QWidget* parent = nullptr);
    ~CHostGenPage() override;

    bool leave() override;

protected:
    void load() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool checkHostName();
    void languageChosen();
    void languageFileChosen();
    void languageLeft();
    void languageFileLeft();

    std::unique_ptr<Ui::CHostGenPage> m_ui;
};

} // namespace meridan
