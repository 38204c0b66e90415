#pragma once

#include "sitesheet/sitepage.h"
#include "store/siterecord.h"

#include <QList>
#include <array>
#include <memory>

class QButtonGroup;
class QCheckBox;

namespace Ui {
class CHostReportPage;
}

namespace meridan {

// "Reports": Analog's reports with a check box each, in the order Analog
// prints them, for all periods or for one kind of period.
class CHostReportPage : public SitePage
{
    Q_OBJECT

public:
    explicit CHostReportPage(QWidget* parent = nullptr);
    ~CHostReportPage() override;

    void activate() override;
    bool leave() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void load() override;

private:
    // Moves the current row one up (-1) or down (+1), from the keyboard.
    void moveCurrentRow(int step);
    int periodKind() const;
    void setPeriodMode(bool all);
    void fillList();
    void keepShownList();
    void storeOrders(); // into the record, as the page's mode uses them
    void allPeriodsClicked(bool all);
    void reset();
    QList<QCheckBox*> keepBoxes() const; // days to years
    void keepChanged();

    std::unique_ptr<Ui::CHostReportPage> m_ui;
    QButtonGroup* m_periods;
    bool m_ready = false;
    std::array<QString, kReportOrderCount> m_orders; // each kind's, while the sheet is open
    int m_shownKind = 0;                             // the kind the list shows; 0: all
};

} // namespace meridan
