#include "hostlogfmtpage.h"

#include "store/sitelists.h"
#include "store/siterecord.h"
#include "ui_hostlogfmtpage.h"
#include "util/messages.h"

#include <QHeaderView>
#include <QKeyEvent>

using namespace Qt::StringLiterals;

namespace meridan {

CHostLogFmtPage::CHostLogFmtPage(QWidget* parent)
    : SitePage(parent), m_ui(std::make_unique<Ui::CHostLogFmtPage>())
{
    m_ui->setupUi(this);
    m_ui->formatList->setHeaderLabels(
        {u"Apache"_s, tr("From   "), u"LOGFORMAT / APACHELOGFORMAT"_s});
    m_ui->specialList->setHeaderLabels(
        {QString(), tr("For month:"), tr("Insert this file in the configuration file")});
    for (CEditableListCtrl* list : {m_ui->formatList, m_ui->specialList}) {
        list->setMonthColumn(1);
        list->installEventFilter(this);
        list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
        list->header()->resizeSection(1, 90);
        connect(list, &CEditableListCtrl::cellEdited, this, &SitePage::modified);
    }
    m_ui->specialList->header()->setSectionResizeMode(0, QHeaderView::Fixed);
    m_ui->specialList->header()->resizeSection(0, 0);
    m_ui->specialList->setColumnHidden(0, true);
    connect(m_ui->formatList, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem*, int column) {
                if (column == 0) // the "Apache" box
                    emit modified();
            });
    connect(m_ui->addFormatButton, &QPushButton::clicked, this,
            [this] { addRow(m_ui->formatList, u"(...)"_s); });
    connect(m_ui->addSpecialButton, &QPushButton::clicked, this,
            [this] { addRow(m_ui->specialList, u"cfgspecial.txt"_s); });
}

CHostLogFmtPage::~CHostLogFmtPage() = default;

void CHostLogFmtPage::load()
{
    const QSignalBlocker quiet(m_ui->formatList);
    for (const FormatChange& change : site().formatChanges) {
        QTreeWidgetItem* row = m_ui->formatList->insertRow(
            m_ui->formatList->topLevelItemCount(), {QString(), change.month, change.format});
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(0, change.apache ? Qt::Checked : Qt::Unchecked);
    }
    for (const SpecialMonth& special : site().specialMonths)
        m_ui->specialList->insertRow(m_ui->specialList->topLevelItemCount(),
                                     {QString(), special.month, special.file});
}

void CHostLogFmtPage::addRow(CEditableListCtrl* list, const QString& second)
{
    QTreeWidgetItem* row = list->insertRow(0, {QString(), u"(yyyymm)"_s, second});
    if (list == m_ui->formatList) {
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(0, Qt::Unchecked);
    }
    list->setFocus();
    list->setCurrentItem(row, 1);
    emit modified();
}

bool CHostLogFmtPage::eventFilter(QObject* watched, QEvent* event)
{
    auto* list = qobject_cast<CEditableListCtrl*>(watched);
    if (list && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete && list->currentItem()) {
        delete list->currentItem();
        emit modified();
        return true;
    }
    return SitePage::eventFilter(watched, event);
}

bool CHostLogFmtPage::apply()
{
    m_ui->formatList->sortDescending(1);
    m_ui->specialList->sortDescending(1);
    QList<FormatChange> changes;
    for (int i = 0; i < m_ui->formatList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = m_ui->formatList->topLevelItem(i);
        changes.append({row->text(1), row->checkState(0) == Qt::Checked, row->text(2)});
    }
    QList<SpecialMonth> specials;
    for (int i = 0; i < m_ui->specialList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = m_ui->specialList->topLevelItem(i);
        specials.append({row->text(1), row->text(2)});
    }
    // Both lists are checked before either is stored.
    if (!checkFormatRows(changes).report() || !checkSpecialRows(specials).report())
        return false;
    // Into the Site's key as stored: a rename that the sheet saves next
    // carries the values along.
    const QString stored = site().isNew ? site().name : site().keyName;
    if (!storeFormatChanges(stored, changes).report() ||
        !storeSpecialMonths(stored, specials).report())
        return false;
    site().formatChanges = changes;
    site().specialMonths = specials;
    return true;
}

} // namespace meridan
