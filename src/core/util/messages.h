#pragma once

#include <QString>

namespace meridan {

// The one way the desktop program and the command-line tool talk to the
// user; the core returns what it has to say (util/result.h). The desktop
// program answers with message boxes, the command-line tool with standard
// error, tests with a recorder that also supplies scripted answers.
// How a question is put: OK and Cancel with OK the default, or Yes and No
// with No the default, for a question whose Yes cannot be undone.
enum class Question { OkCancel, DangerousYesNo };

class Messages
{
public:
    virtual ~Messages() = default;

    // A failure or a piece of information, shown with an OK button.
    virtual void error(const QString& text) = 0;
    // A question; true means OK (or Yes).
    virtual bool ask(const QString& text, Question kind = Question::OkCancel) = 0;
    // A refused edit or the end of a job.
    virtual void beep() {}
};

// Writes every message to standard error and answers every question with
// the safe answer (Cancel) unless told otherwise.
class StderrMessages : public Messages
{
public:
    explicit StderrMessages(bool answerYes = false) : m_answerYes(answerYes) {}
    void error(const QString& text) override;
    bool ask(const QString& text, Question kind = Question::OkCancel) override;

private:
    bool m_answerYes;
};

// The messages interface in use; a StderrMessages until one is installed.
Messages& messages();
// Installs the interface for the rest of the program's run (nullptr restores
// the default). The caller keeps ownership.
void setMessages(Messages* sink);

} // namespace meridan
