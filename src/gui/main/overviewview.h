#pragma once

#include "overview/overview.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <QPointer>
#include <QProcess>
#include <QWidget>

class QLabel;

class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace meridan {

// The overview's rows as a table: figures sort as numbers, sparklines by
// their sum, a failed update stands out and says why on hover.
class OverviewModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Site, Yesterday, ThisMonth, LastMonth, Change, Days, Months, LastUpdate, Count };
    static constexpr int kSortRole = Qt::UserRole;
    static constexpr int kSeriesRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;
    void setRows(QList<OverviewRow> rows);
    const OverviewRow& row(int index) const { return m_rows.at(index); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QVariant display(const OverviewRow& row, int column) const;
    QVariant sortKey(const OverviewRow& row, int column) const;
    QVariant toolTip(const OverviewRow& row, int column) const;

    QList<OverviewRow> m_rows;
};

// Every Site at a glance, beside the Site list: the figures of each, a
// sparkline of its days and months, and the state of its last update. Update
// now runs the command-line companion's update in the background; the window
// stays usable and the desktop is told when it ends.
class COverviewView : public QWidget
{
    Q_OBJECT

public:
    explicit COverviewView(QWidget* parent = nullptr);
    ~COverviewView() override;

    // Reads the figures again, as of today.
    void refresh(const QDate& today = QDate::currentDate());
    bool isUpdating() const { return m_update != nullptr; }
    void updateNow();
    QTableView* table() const { return m_table; }

signals:
    void siteActivated(const QString& site);
    // The update ended: what the desktop was told.
    void updateDone(const QString& summary);

private:
    void updateOutput();
    void updateFinished();

    OverviewModel* m_model;
    QSortFilterProxyModel* m_sorted;
    QTableView* m_table;
    QLabel* m_status;
    QPushButton* m_updateButton;
    QPointer<QProcess> m_update;
    QDateTime m_updateStarted;
    int m_sitesDone = 0;
    int m_siteCount = 0;
};

// The program that runs updates: beside this one, or on the PATH.
QString companionProgram();

} // namespace meridan
