#include "hostpostprocess.h"

#include "store/siterecord.h"
#include "store/siterules.h"
#include "store/variablenames.h"
#include "ui_hostpostprocess.h"

#include <QEvent>

namespace meridan {

CHostPostProcess::CHostPostProcess(QWidget* parent)
    : SitePage(parent), m_ui(std::make_unique<Ui::CHostPostProcess>())
{
    m_ui->setupUi(this);
    m_ui->postProcessEdit->installEventFilter(this);
    connect(m_ui->postProcessEdit, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_ui->postProcessEdit->toPlainText();
        if (text == site().PostProcessCmd)
            return;
        site().PostProcessCmd = text;
        emit modified();
    });
}

CHostPostProcess::~CHostPostProcess() = default;

void CHostPostProcess::load()
{
    const QSignalBlocker quiet(m_ui->postProcessEdit);
    m_ui->postProcessEdit->setPlainText(site().PostProcessCmd);
}

// Variables typed in any case take their exact form when the field is left.
bool CHostPostProcess::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->postProcessEdit && event->type() == QEvent::FocusOut) {
        const QString text = m_ui->postProcessEdit->toPlainText();
        const QString normalized = normalizedPostProcess(text);
        if (normalized != text)
            m_ui->postProcessEdit->setPlainText(normalized); // stores it through textChanged
    }
    return SitePage::eventFilter(watched, event);
}

} // namespace meridan
