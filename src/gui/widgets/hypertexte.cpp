#include "hypertexte.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

namespace meridan {

CHypertexte::CHypertexte(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
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

void CHypertexte::open()
{
    emit opened(m_target);
    QDesktopServices::openUrl(m_target);
}

void CHypertexte::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && overText(event->position().toPoint()))
        open();
    QLabel::mousePressEvent(event);
}

void CHypertexte::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        open();
        return;
    }
    QLabel::keyPressEvent(event);
}

void CHypertexte::focusInEvent(QFocusEvent* event)
{
    QFont font = this->font();
    font.setUnderline(true);
    setFont(font);
    QLabel::focusInEvent(event);
}

void CHypertexte::focusOutEvent(QFocusEvent* event)
{
    QFont font = this->font();
    font.setUnderline(m_hovering);
    setFont(font);
    QLabel::focusOutEvent(event);
}

void CHypertexte::leaveEvent(QEvent* event)
{
    setHovering(false);
    QLabel::leaveEvent(event);
}

} // namespace meridan
