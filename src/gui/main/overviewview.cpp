#include "overviewview.h"

#include "main/desktopnotification.h"
#include "store/siterecord.h"
#include "util/texts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

QVariant series(const QList<qint64>& values)
{
    QVariantList list;
    for (qint64 value : values)
        list.append(value);
    return list;
}

// Draws a row's series as a line in its cell.
class SparklineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const QVariantList values = index.data(OverviewModel::kSeriesRole).toList();
        if (values.size() < 2)
            return;
        qint64 top = 1;
        for (const QVariant& value : values)
            top = std::max(top, value.toLongLong());
        const QRectF area = QRectF(option.rect).adjusted(4, 4, -4, -4);
        QPolygonF line;
        for (qsizetype i = 0; i < values.size(); ++i)
            line << QPointF(area.left() + area.width() * double(i) / double(values.size() - 1),
                            area.bottom() -
                                area.height() * double(values[i].toLongLong()) / double(top));
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(
            QPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Link), 1.5));
        painter->drawPolyline(line);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index).expandedTo(QSize(110, 26));
    }
};

} // namespace

QString companionProgram()
{
    const QString beside = QCoreApplication::applicationDirPath() + u"/meridan-cli"_s;
    return QFileInfo(beside).isExecutable() ? beside
                                            : QStandardPaths::findExecutable(u"meridan-cli"_s);
}

void OverviewModel::setRows(QList<OverviewRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int OverviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int OverviewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Count;
}

QVariant OverviewModel::display(const OverviewRow& row, int column) const
{
    const QLocale locale;
    if (column == Site)
        return row.site;
    if (column == LastUpdate)
        return row.lastUpdate ? locale.toString(row.lastUpdate->started, QLocale::ShortFormat) +
                                    u"  "_s + stateText(row.lastUpdate)
                              : stateText(row.lastUpdate);
    if (!row.hasFigures)
        return column == Yesterday ? texts::Overview::tr("no figures yet") : QVariant();
    switch (column) {
    case Yesterday:
        return row.yesterday ? locale.toString(*row.yesterday) : u"–"_s;
    case ThisMonth:
        return locale.toString(row.monthSoFar);
    case LastMonth:
        return locale.toString(row.lastMonth);
    case Change:
        return changeText(row.change);
    default:
        return {};
    }
}

QVariant OverviewModel::sortKey(const OverviewRow& row, int column) const
{
    switch (column) {
    case Site:
        return row.site.toCaseFolded();
    case Yesterday:
        return row.yesterday.value_or(-1);
    case ThisMonth:
        return row.monthSoFar;
    case LastMonth:
        return row.lastMonth;
    case Change:
        return row.change.value_or(-1e300);
    case Days:
        return totalOf(row.lastDays);
    case Months:
        return totalOf(row.lastMonths);
    default:
        return row.lastUpdate ? row.lastUpdate->started : QDateTime();
    }
}

QVariant OverviewModel::toolTip(const OverviewRow& row, int column) const
{
    if (row.lastUpdate && row.lastUpdate->failed())
        return tr("The last update failed:\n%1").arg(row.lastUpdate->problems.join(u'\n'));
    if (column == LastUpdate && row.lastUpdate)
        return updateSummary(*row.lastUpdate);
    if (column == Days)
        return texts::Overview::tr("Requests a day over the last %n days", nullptr, kSparkDays);
    if (column == Months)
        return texts::Overview::tr("Requests a month over the last %n months", nullptr,
                                   kSparkMonths);
    return {};
}

QVariant OverviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const OverviewRow& row = m_rows.at(index.row());
    const bool failed = row.lastUpdate && row.lastUpdate->failed();
    switch (role) {
    case Qt::DisplayRole:
        return display(row, index.column());
    case kSortRole:
        return sortKey(row, index.column());
    case kSeriesRole:
        if (!row.hasFigures)
            return {};
        return index.column() == Days     ? series(row.lastDays)
               : index.column() == Months ? series(row.lastMonths)
                                          : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() >= Yesterday && index.column() <= Change
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ToolTipRole:
        return toolTip(row, index.column());
    case Qt::ForegroundRole:
        return failed ? QVariant(QColor(0xb3, 0x26, 0x1e)) : QVariant();
    case Qt::FontRole:
        if (failed) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

QVariant OverviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return overviewHeading(OverviewColumn(section));
}

COverviewView::COverviewView(QWidget* parent)
    : QWidget(parent), m_model(new OverviewModel(this)), m_sorted(new QSortFilterProxyModel(this)),
      m_table(new QTableView(this)), m_status(new QLabel(this)),
      m_updateButton(new QPushButton(tr("Update now"), this))
{
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(OverviewModel::kSortRole);
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(OverviewModel::Site, Qt::AscendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    auto* sparklines = new SparklineDelegate(m_table);
    m_table->setItemDelegateForColumn(OverviewModel::Days, sparklines);
    m_table->setItemDelegateForColumn(OverviewModel::Months, sparklines);
    m_updateButton->setAutoDefault(false);
    m_status->setWordWrap(true);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_updateButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table, 1);
    layout->addLayout(bottom);
    connect(m_table, &QTableView::activated, this, [this](const QModelIndex& index) {
        emit siteActivated(m_model->row(m_sorted->mapToSource(index).row()).site);
    });
    connect(m_updateButton, &QPushButton::clicked, this, &COverviewView::updateNow);
}

COverviewView::~COverviewView()
{
    if (m_update) {
        m_update->disconnect(this);
        m_update->terminate(); // the update ends its builds cleanly
        m_update->waitForFinished(5000);
    }
}

void COverviewView::refresh(const QDate& today)
{
    const Expected<QStringList> names = storedSiteNames();
    m_model->setRows(names ? overviewRows(loadFigures(*names), today) : QList<OverviewRow>());
    m_table->resizeColumnsToContents();
    // Every column in sight, as far as the screen allows: the window grows.
    const int wanted = m_table->horizontalHeader()->length() + 2 * m_table->frameWidth() +
                       m_table->verticalScrollBar()->sizeHint().width();
    const QScreen* screen = this->screen();
    m_table->setMinimumWidth(
        std::min(wanted, screen ? screen->availableGeometry().width() * 3 / 4 : wanted));
    if (!names)
        m_status->setText(names.message());
    else if (!m_update)
        m_status->setText(tr("%n Site(s).", nullptr, m_model->rowCount()));
}

void COverviewView::updateNow()
{
    if (m_update)
        return;
    const QString program = companionProgram();
    if (program.isEmpty()) {
        m_status->setText(tr("meridan-cli, which runs the update, cannot be found."));
        return;
    }
    m_update = new QProcess(this);
    m_update->setProgram(program);
    m_update->setArguments({u"update"_s});
    m_update->setStandardInputFile(QProcess::nullDevice());
    m_update->setProcessChannelMode(QProcess::SeparateChannels);
    connect(m_update, &QProcess::readyReadStandardOutput, this, &COverviewView::updateOutput);
    connect(m_update, &QProcess::finished, this, &COverviewView::updateFinished);
    connect(m_update, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            updateFinished();
    });
    m_updateStarted = QDateTime::currentDateTime();
    m_sitesDone = 0;
    const Expected<QStringList> names = storedSiteNames();
    m_siteCount = names ? int(names->size()) : 0;
    m_updateButton->setEnabled(false);
    m_status->setText(tr("Updating %n Site(s)...", nullptr, m_siteCount));
    m_update->start(QIODevice::ReadOnly);
}

// A line a Site, as each is done.
void COverviewView::updateOutput()
{
    while (m_update && m_update->canReadLine()) {
        const QString line = QString::fromLocal8Bit(m_update->readLine()).trimmed();
        ++m_sitesDone;
        m_status->setText(
            tr("Updated %1 of %2 Sites: %3").arg(m_sitesDone).arg(m_siteCount).arg(line));
        refresh();
    }
}

void COverviewView::updateFinished()
{
    if (!m_update)
        return;
    const bool started = m_update->error() != QProcess::FailedToStart;
    m_update->deleteLater();
    m_update = nullptr;
    m_updateButton->setEnabled(true);
    refresh();
    if (!started) {
        m_status->setText(tr("The update could not be started."));
        return;
    }
    int updated = 0;
    QStringList failed;
    for (int i = 0; i < m_model->rowCount(); ++i) {
        const OverviewRow& row = m_model->row(i);
        if (!row.lastUpdate || row.lastUpdate->started < m_updateStarted.addSecs(-1))
            continue;
        ++updated;
        if (row.lastUpdate->failed())
            failed.append(row.site);
    }
    const QString summary =
        failed.isEmpty()
            ? tr("%n Site(s) updated.", nullptr, updated)
            : tr("%n Site(s) updated; failed: %1.", nullptr, updated).arg(failed.join(u", "_s));
    m_status->setText(summary);
    notifyDesktop(tr("Meridan update"), summary);
    emit updateDone(summary);
}

} // namespace meridan
