#pragma once

#include "build/consolerunner.h"

#include <QDialog>
#include <QStringList>
#include <QTimer>

class QPlainTextEdit;

namespace meridan {

// "Console": the lines of the runs of one click of Build, below each other.
// Lines are gathered and painted a batch at a time, so a child that prints
// without pause never freezes the window.
class CConsoleProcessDlg : public QDialog, public ConsoleSink
{
    Q_OBJECT

public:
    explicit CConsoleProcessDlg(QWidget* parent = nullptr);

    void appendLines(const QStringList& lines) override;
    // Paints what is waiting at once.
    void flush();
    QStringList shownLines() const;

private:
    QPlainTextEdit* m_text;
    QStringList m_pending;
    QTimer m_paint;
};

} // namespace meridan
