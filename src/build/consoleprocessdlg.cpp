#include "consoleprocessdlg.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {
constexpr int kPaintIntervalMs = 40;
}

CConsoleProcessDlg::CConsoleProcessDlg(QWidget* parent)
    : QDialog(parent), m_text(new QPlainTextEdit(this))
{
    setObjectName(u"consoleWindow"_s);
    setWindowTitle(u"Console"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setSizeGripEnabled(true);
    m_text->setObjectName(u"consoleText"_s);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
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
    m_text->appendPlainText(m_pending.join(u'\n'));
    m_pending.clear();
    m_text->verticalScrollBar()->setValue(m_text->verticalScrollBar()->maximum());
}

QStringList CConsoleProcessDlg::shownLines() const
{
    return m_text->toPlainText().split(u'\n');
}

} // namespace meridan
