#pragma once

#include <QAbstractListModel>
#include <QDialog>
#include <QFontMetricsF>
#include <QSize>
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
    // Every row is as wide as the widest line, measured in the view's font
    // (with its fractional advances, as the view paints it) plus margin:
    // the view then scrolls sideways to whole lines, at no cost per row.
    void setFont(const QFont& font, int margin);
    int widestLine() const { return m_widest; }

private:
    QStringList m_lines;
    QFontMetricsF m_metrics{QFont()};
    int m_margin = 0;
    int m_widest = 0;
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
    // The chosen lines, in their order, for the clipboard.
    QString selectedText() const;
    // Writes every line to a file the user chooses.
    void saveToFile();

private:
    void copySelection();

    ConsoleLines m_lines;
    QListView* m_view;
    int m_laidOutWidth = 0; // the widest line the view was laid out for
    QStringList m_pending;
    QTimer m_paint;
};

} // namespace meridan
