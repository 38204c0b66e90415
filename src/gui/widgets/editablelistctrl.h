#pragma once

#include <QPointer>
#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace meridan {

// A list with columns whose cells in the second and later columns are
// edited in place; one column may be declared a month column that accepts
// only yyyymm with a year 1992 to 2069 and a month 1 to 12 (anything else is
// refused with a beep). The last column fills the rest of the width.
class CEditableListCtrl : public QTreeWidget
{
    Q_OBJECT

public:
    explicit CEditableListCtrl(QWidget* parent = nullptr);

    void setMonthColumn(int column) { m_monthColumn = column; }
    int monthColumn() const { return m_monthColumn; }

    // Sorts the rows by the text of a column, greatest first.
    void sortDescending(int column);

    // Appends or inserts a row with the given cell texts, editable from
    // column 1 on.
    QTreeWidgetItem* insertRow(int index, const QStringList& texts);

signals:
    // A cell edit was accepted and stored.
    void cellEdited();

private:
    int m_monthColumn = 0;
};

// Opens editors on columns 1 and up only and checks the month column.
class EditableCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit EditableCellDelegate(CEditableListCtrl* list);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    CEditableListCtrl* m_list;
    // An editor commits on Return and again as it loses the focus: one
    // refusal, one beep.
    mutable QPointer<QWidget> m_refusedEditor;
};

} // namespace meridan
