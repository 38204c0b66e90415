#include "consoleprocessdlg.h"

#include "main/filedialogs.h"
#include "util/files.h"
#include "util/messages.h"
#include "util/texts.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <cmath>

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
    if (!index.isValid())
        return {};
    if (role == Qt::SizeHintRole)
        return QSize(m_widest + m_margin, int(std::ceil(m_metrics.height())));
    if (role != Qt::DisplayRole)
        return {};
    return m_lines.at(index.row());
}

void ConsoleLines::append(const QStringList& lines)
{
    if (lines.isEmpty())
        return;
    beginInsertRows({}, int(m_lines.size()), int(m_lines.size() + lines.size() - 1));
    // Only a line that could be wider than the widest is measured.
    const qreal widestCharacter = m_metrics.maxWidth();
    for (const QString& line : lines)
        if (qreal(line.size()) * widestCharacter > m_widest)
            m_widest = std::max(m_widest, int(std::ceil(m_metrics.horizontalAdvance(line))));
    m_lines += lines;
    endInsertRows();
}

void ConsoleLines::setFont(const QFont& font, int margin)
{
    m_metrics = QFontMetricsF(font);
    m_margin = margin;
}

CConsoleProcessDlg::CConsoleProcessDlg(QWidget* parent)
    : QDialog(parent), m_view(new QListView(this))
{
    setObjectName(u"consoleWindow"_s);
    setWindowTitle(tr("Console"));
    setAttribute(Qt::WA_DeleteOnClose);
    setSizeGripEnabled(true);
    m_view->setObjectName(u"consoleLines"_s);
    m_view->setModel(&m_lines);
    m_view->setUniformItemSizes(true); // a million rows cost no layout
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_view->setTextElideMode(Qt::ElideNone);
    m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // The item's text margins on both sides, and a character to spare.
    const int textMargin = m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
    m_lines.setFont(m_view->font(), 2 * textMargin + QFontMetrics(m_view->font()).maxWidth());
    // Ctrl+A chooses every line (the view's own); Ctrl+C copies them.
    auto* copy = new QAction(tr("&Copy"), m_view);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &CConsoleProcessDlg::copySelection);
    auto* selectAll = new QAction(tr("Select &all"), m_view);
    connect(selectAll, &QAction::triggered, m_view, &QListView::selectAll);
    m_view->addActions({copy, selectAll});
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* save = new QPushButton(tr("&Save output..."), this);
    save->setObjectName(u"saveButton"_s);
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &CConsoleProcessDlg::saveToFile);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 0, 6, 6);
    buttons->addStretch();
    buttons->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    layout->addLayout(buttons);
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
    if (m_lines.widestLine() > m_laidOutWidth) { // wider rows: the view measures them anew
        m_laidOutWidth = m_lines.widestLine();
        m_view->doItemsLayout();
    }
    m_view->scrollToBottom();
}

QString CConsoleProcessDlg::selectedText() const
{
    QModelIndexList rows = m_view->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList lines;
    for (const QModelIndex& row : rows)
        lines.append(m_lines.lines().at(row.row()));
    return lines.join(u'\n');
}

void CConsoleProcessDlg::copySelection()
{
    if (const QString text = selectedText(); !text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void CConsoleProcessDlg::saveToFile()
{
    flush();
    const QString file = FileDialogs::saveFile(this, tr("Save the console's output"),
                                               QDir::homePath() + u"/console.txt"_s,
                                               tr("Text files (*.txt);;All files (*)"));
    if (file.isEmpty())
        return;
    const QByteArray text = (m_lines.lines().join(u'\n') + u'\n').toUtf8();
    writeFileAtomically(file, text).report();
}

QStringList CConsoleProcessDlg::shownLines() const
{
    return m_lines.lines();
}

} // namespace meridan
