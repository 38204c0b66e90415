#include "hypertexte.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QStyle>

namespace meridan {

CHypertexte::CHypertexte(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(colours);
}

void CHypertexte::setLink(const QString& text, const QUrl& target, bool bold)
{
    setText(text);
    m_target = target;
    QFont font = this->font();
    font.setBold(bold);
    setFont(font);
}

bool CHypertexte::overText(const QPoint& position) const
{
    const QRect textRect =
        QStyle::alignedRect(layoutDirection(), alignment(),
                            fontMetrics().size(Qt::TextSingleLine, text()), contentsRect());
    return textRect.contains(position);
}

void CHypertexte::setHovering(bool hovering)
{
    if (hovering == m_hovering)
        return;
    m_hovering = hovering;
    QFont font = this->font();
    font.setUnderline(hovering);
    setFont(font);
    setCursor(hovering ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void CHypertexte::mouseMoveEvent(QMouseEvent* event)
{
    setHovering(overText(event->position().toPoint()));
    QLabel::mouseMoveEvent(event);
}

void CHypertexte::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && overText(event->position().toPoint())) {
        emit opened(m_target);
        QDesktopServices::openUrl(m_target);
    }
    QLabel::mousePressEvent(event);
}

void CHypertexte::leaveEvent(QEvent* event)
{
    setHovering(false);
    QLabel::leaveEvent(event);
}

} // namespace meridan
