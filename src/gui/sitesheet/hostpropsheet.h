#pragma once

#include <QDialog>
#include <QList>
#include <memory>

class QDialogButtonBox;
class QTabWidget;

namespace meridan {

class SiteRecord;
class SitePage;

// "Configure Statistics": the eight pages that edit one Site's record. The
// pages change the record as the user types; OK and Apply run the shown
// page's leave step, then the apply step of every page that has been shown.
class CHostPropSheet : public QDialog
{
    Q_OBJECT

public:
    explicit CHostPropSheet(SiteRecord* site, QWidget* parent = nullptr);
    ~CHostPropSheet() override;

    // Leave and apply steps; false when a page refused (it is then shown).
    bool applyPages();
    bool applied() const { return m_applied; }

    SitePage* page(int index) const { return m_pages.at(index); }

    void accept() override;

private:
    void addPages();
    void addPage(SitePage* page, const QString& title);
    void fitToTabs();
    void currentChanged(int index);
    void pageModified();

    SiteRecord* m_site;
    QTabWidget* m_tabs;
    QDialogButtonBox* m_buttons;
    QList<SitePage*> m_pages;
    int m_shown = 0;
    bool m_switching = false;
    QString m_cancelText; // Cancel's own word, which Close replaces after an Apply
    bool m_applied = false;
};

} // namespace meridan
