#include "editablelistctrl.h"

#include "store/sitelists.h"
#include "util/messages.h"

#include <QHeaderView>
#include <QLineEdit>

namespace meridan {

CEditableListCtrl::CEditableListCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setItemDelegate(new EditableCellDelegate(this));
    header()->setStretchLastSection(true);
    // A click on the header of another column hides column 0; its own
    // header does nothing. The rows are never sorted by a click.
    header()->setSectionsClickable(true);
    header()->setHighlightSections(false);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (column != 0)
            header()->resizeSection(0, 0);
    });
}

void CEditableListCtrl::sortDescending(int column)
{
    sortItems(column, Qt::DescendingOrder);
}

QTreeWidgetItem* CEditableListCtrl::insertRow(int index, const QStringList& texts)
{
    auto* item = new QTreeWidgetItem(texts);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    insertTopLevelItem(index, item);
    return item;
}

EditableCellDelegate::EditableCellDelegate(CEditableListCtrl* list)
    : QStyledItemDelegate(list), m_list(list)
{
}

QWidget* EditableCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const
{
    if (index.column() == 0)
        return nullptr; // the first column is never edited
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void EditableCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                        const QModelIndex& index) const
{
    const auto* line = qobject_cast<QLineEdit*>(editor);
    const QString text = line ? line->text() : QString();
    if (text.isEmpty())
        return; // an emptied cell counts as a cancelled edit
    if (index.column() == m_list->monthColumn() && !isValidMonthText(text)) {
        if (m_refusedEditor != editor)
            messages().beep();
        m_refusedEditor = editor;
        return;
    }
    model->setData(index, text);
    emit m_list->cellEdited();
}

} // namespace meridan
