#pragma once

#include <QAbstractListModel>
#include <QDialog>
#include <QStringList>
#include <QTimer>

class QListView;

namespace meridan {

// The console's lines. Appending only announces new rows; the view paints
// the few it shows.
class ConsoleLines : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    void append(const QStringList& lines);
    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
};

// "Console": the lines of the runs of one click of Build, below each other.
// Lines are gathered and painted a batch at a time, so a child that prints
// without pause never freezes the window.
class CConsoleProcessDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CConsoleProcessDlg(QWidget* parent = nullptr);

    void appendLines(const QStringList& lines);
    // Paints what is waiting at once.
    void flush();
    QStringList shownLines() const;

private:
    ConsoleLines m_lines;
    QListView* m_view;
    QStringList m_pending;
    QTimer m_paint;
};

} // namespace meridan
