#include "hostreportpage.h"

#include "analog/reportorder.h"
#include "analog/updateplan.h"
#include "store/siterecord.h"
#include "ui_hostreportpage.h"
#include "util/texts.h"

#include <QButtonGroup>
#include <QKeyEvent>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {
constexpr int kCodeRole = Qt::UserRole;
}

CHostReportPage::CHostReportPage(QWidget* parent)
    : SitePage(parent), m_ui(std::make_unique<Ui::CHostReportPage>()),
      m_periods(new QButtonGroup(this))
{
    m_ui->setupUi(this);
    const QList<QRadioButton*> radios{m_ui->dailyReportsRadio,      m_ui->weeklyReportsRadio,
                                      m_ui->monthlyReportsRadio,    m_ui->quarterlyReportsRadio,
                                      m_ui->halfYearlyReportsRadio, m_ui->yearlyReportsRadio};
    for (int i = 0; i < radios.size(); ++i)
        m_periods->addButton(radios.at(i), i + 1); // the periodicity code
    connect(m_periods, &QButtonGroup::idClicked, this, [this] {
        keepShownList();
        fillList();
        emit modified();
    });
    connect(m_ui->allPeriodsCheckBox, &QCheckBox::clicked, this,
            &CHostReportPage::allPeriodsClicked);
    connect(m_ui->resetButton, &QPushButton::clicked, this, &CHostReportPage::reset);
    const auto changed = [this] {
        if (m_ready)
            emit modified();
    };
    connect(m_ui->reportList, &QListWidget::itemChanged, this, changed);
    connect(m_ui->reportList->model(), &QAbstractItemModel::rowsMoved, this, changed);
    for (QCheckBox* box : keepBoxes())
        connect(box, &QCheckBox::clicked, this, &CHostReportPage::keepChanged);
    m_ui->reportList->installEventFilter(this);
    m_ui->reportList->setToolTip(tr("Drag a report, or press Ctrl+Up or Ctrl+Down, to change its "
                                    "place in the order."));
}

QList<QCheckBox*> CHostReportPage::keepBoxes() const
{
    return {m_ui->keepDaysCheckBox,     m_ui->keepWeeksCheckBox,  m_ui->keepMonthsCheckBox,
            m_ui->keepQuartersCheckBox, m_ui->keepHalvesCheckBox, m_ui->keepYearsCheckBox};
}

// At least one kind stays kept: the last box cannot be cleared.
void CHostReportPage::keepChanged()
{
    QString kinds;
    const QList<QCheckBox*> boxes = keepBoxes();
    for (qsizetype i = 0; i < boxes.size(); ++i)
        if (boxes.at(i)->isChecked())
            kinds += texts::periodKindLetters.at(i);
    if (kinds.isEmpty()) {
        qobject_cast<QCheckBox*>(sender())->setChecked(true);
        return;
    }
    if (kinds == site().KeepPeriods)
        return;
    site().KeepPeriods = kinds;
    emit modified();
}

bool CHostReportPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->reportList && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::ControlModifier &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            moveCurrentRow(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return SitePage::eventFilter(watched, event);
}

void CHostReportPage::moveCurrentRow(int step)
{
    QListWidget* list = m_ui->reportList;
    const int row = list->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= list->count())
        return;
    // A move of the model's row, as a drag makes: the order counts as changed.
    list->model()->moveRow(QModelIndex(), row, QModelIndex(), step < 0 ? target : target + 1);
    list->setCurrentRow(target);
}

CHostReportPage::~CHostReportPage() = default;

int CHostReportPage::periodKind() const
{
    return m_ui->allPeriodsCheckBox->isChecked() ? 0 : m_periods->checkedId();
}

void CHostReportPage::setPeriodMode(bool all)
{
    m_ui->allPeriodsCheckBox->setChecked(all);
    m_ui->periodGroup->setEnabled(!all);
    if (!all && m_periods->checkedId() < 0)
        m_ui->dailyReportsRadio->setChecked(true);
}

void CHostReportPage::fillList()
{
    const bool ready = std::exchange(m_ready, false);
    m_shownKind = periodKind();
    QListWidget* list = m_ui->reportList;
    list->clear();
    for (const ReportRow& row : reportRowsOf(m_orders[m_shownKind])) {
        auto* item = new QListWidgetItem(row.name, list);
        item->setData(kCodeRole, row.code);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                       Qt::ItemIsDragEnabled);
        item->setCheckState(row.checked ? Qt::Checked : Qt::Unchecked);
    }
    m_ready = ready;
}

// Each kind's order stays on the page while the sheet is open, whichever
// kind is shown and whether "All periods" is ticked; the record gets the
// orders the page's mode uses.
void CHostReportPage::keepShownList()
{
    QList<ReportRow> rows;
    for (int i = 0; i < m_ui->reportList->count(); ++i) {
        const QListWidgetItem* item = m_ui->reportList->item(i);
        rows.append(
            {item->data(kCodeRole).toChar(), item->text(), item->checkState() == Qt::Checked});
    }
    m_orders[m_shownKind] = reportOrderOf(rows);
}

void CHostReportPage::load()
{
    m_orders = site().ReportOrder;
    bool all = true;
    for (int kind = 1; kind < kReportOrderCount; ++kind)
        all &= site().ReportOrder[kind].isEmpty();
    setPeriodMode(all);
    fillList();
    const QList<qint32> kept = keptPeriodicities(site());
    const QList<QCheckBox*> boxes = keepBoxes();
    for (qsizetype i = 0; i < boxes.size(); ++i)
        boxes.at(i)->setChecked(kept.contains(qint32(i + 1)));
    m_ready = true;
}

void CHostReportPage::activate()
{
    m_ready = false;
    fillList();
    m_ready = true;
}

bool CHostReportPage::leave()
{
    keepShownList();
    storeOrders();
    return true;
}

void CHostReportPage::storeOrders()
{
    site().ReportOrder = m_orders;
    if (m_shownKind == 0)
        std::fill(site().ReportOrder.begin() + 1, site().ReportOrder.end(), QString());
    else
        site().ReportOrder[0].clear();
}

void CHostReportPage::allPeriodsClicked(bool all)
{
    keepShownList();
    // A kind shown for the first time starts from the common order.
    if (!all)
        for (int kind = 1; kind < kReportOrderCount; ++kind)
            if (m_orders[kind].isEmpty())
                m_orders[kind] = m_orders[0];
    setPeriodMode(all);
    fillList();
    emit modified();
}

void CHostReportPage::reset()
{
    m_orders = {};
    setPeriodMode(true);
    fillList();
    storeOrders();
    emit modified();
}

} // namespace meridan
