#pragma once

#include <QLabel>
#include <QUrl>

namespace meridan {

// A line of text that acts as a link: blue, bold when asked, underlined with
// a hand cursor while the mouse is over the text; a click on the text opens
// the target. Tab reaches it; Enter or Space then opens it, and it shows
// underlined while it has the focus. "&" shows as itself.
class CHypertexte : public QLabel
{
    Q_OBJECT

public:
    explicit CHypertexte(QWidget* parent = nullptr);

    void setLink(const QString& text, const QUrl& target, bool bold);
    const QUrl& target() const { return m_target; }

signals:
    void opened(const QUrl& target);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool overText(const QPoint& position) const;
    void open();
    void setHovering(bool hovering);

    QUrl m_target;
    bool m_hovering = false;
};

} // namespace meridan
