#pragma once

#include "store/siterecord.h"

#include <QLineEdit>
#include <QWidget>

namespace meridan {

// One tab of the Site property sheet. A page is initialised when it is first
// shown; only initialised pages take part in applying.
class SitePage : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    void setSite(SiteRecord* site) { m_site = site; }
    bool isInitialised() const { return m_initialised; }

    // Fills the controls from the record, once.
    void initialise()
    {
        if (!m_initialised)
            load();
        m_initialised = true;
    }
    // The tab becomes the shown one.
    virtual void activate() {}
    // The tab stops being the shown one, or the sheet applies; false keeps
    // the sheet on this page.
    virtual bool leave() { return true; }
    // The sheet applies (OK or Apply); false keeps the sheet on this page.
    virtual bool apply() { return true; }

signals:
    // The page changed the record: Apply becomes possible.
    void modified();

protected:
    virtual void load() = 0;
    SiteRecord& site() { return *m_site; }
    // What is typed into the edit becomes the field, shaped first when a
    // shape is given; the value it holds already changes nothing.
    void bindText(QLineEdit* edit, QString SiteRecord::*field,
                  QString (*shape)(const QString&) = nullptr)
    {
        connect(edit, &QLineEdit::textEdited, this, [this, field, shape](const QString& text) {
            const QString value = shape ? shape(text) : text;
            if (value == site().*field)
                return;
            site().*field = value;
            emit modified();
        });
    }

private:
    SiteRecord* m_site = nullptr;
    bool m_initialised = false;
};

} // namespace meridan
