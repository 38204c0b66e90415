#pragma once

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace meridan::test {

// Runs action on the modal dialog of type T once it is open. When none
// opens in time, the test fails and every modal dialog is closed, so a test
// never sits waiting for its timeout. Call it before what opens the dialog.
template <typename T>
void whenModalOpens(std::function<void(T*)> action, const char* file, int line,
                    int timeoutMs = 10000)
{
    auto* poll = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [=] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            delete clock;
            action(dialog);
            return;
        }
        if (clock->elapsed() < timeoutMs)
            return;
        poll->stop();
        poll->deleteLater();
        delete clock;
        QTest::qFail("the expected modal dialog did not open", file, line);
        while (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            modal->reject();
    });
    poll->start();
}

// With MERIDAN_SCREENSHOTS set to a folder, saves a picture of the widget
// there as NAME.png, to look at how a window really shows.
inline void saveScreenshot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("MERIDAN_SCREENSHOTS");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        widget->grab().save(folder + u'/' + name + QStringLiteral(".png"));
}

} // namespace meridan::test

#define WHEN_MODAL_OPENS(Type, action)                                                             \
    meridan::test::whenModalOpens<Type>(action, __FILE__, __LINE__)
