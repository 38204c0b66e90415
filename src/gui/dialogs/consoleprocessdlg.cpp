#include "consoleprocessdlg.h"

#include <QFontDatabase>
#include <QListView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {
constexpr int kPaintIntervalMs = 40;
}

int ConsoleLines::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant ConsoleLines::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return m_lines.at(index.row());
}

void ConsoleLines::append(const QStringList& lines)
{
    if (lines.isEmpty())
        return;
    beginInsertRows({}, int(m_lines.size()), int(m_lines.size() + lines.size() - 1));
    m_lines += lines;
    endInsertRows();
}

CConsoleProcessDlg::CConsoleProcessDlg(QWidget* parent)
    : QDialog(parent), m_view(new QListView(this))
{
    setObjectName(u"consoleWindow"_s);
    setWindowTitle(u"Console"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setSizeGripEnabled(true);
    m_view->setObjectName(u"consoleLines"_s);
    m_view->setModel(&m_lines);
    m_view->setUniformItemSizes(true); // a million rows cost no layout
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    resize(640, 320);
    m_paint.setSingleShot(true);
    m_paint.setInterval(kPaintIntervalMs);
    connect(&m_paint, &QTimer::timeout, this, &CConsoleProcessDlg::flush);
}

void CConsoleProcessDlg::appendLines(const QStringList& lines)
{
    m_pending += lines;
    if (!m_paint.isActive())
        m_paint.start();
}

void CConsoleProcessDlg::flush()
{
    m_paint.stop();
    if (m_pending.isEmpty())
        return;
    m_lines.append(m_pending);
    m_pending.clear();
    m_view->scrollToBottom();
}

QStringList CConsoleProcessDlg::shownLines() const
{
    return m_lines.lines();
}

} // namespace meridan
