#include "secretstore.h"

#include "util/texts.h"

#include <QEventLoop>
#include <QTimer>
#include <QUuid>
#include <memory>
#include <qt6keychain/keychain.h>

using namespace Qt::StringLiterals;

namespace meridan::secrets {

namespace {

const QString kPrefix = u"keyring:"_s;
const QString kService = u"Meridan"_s;
constexpr int kAnswerMs = 10000;

// Without a session bus there is no keyring to ask: not even a try, which
// could wait for a bus that never comes.
bool sessionBusKnown()
{
    return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS");
}

// Runs a keyring job to its end (the library only works asynchronously);
// refused with the reason. A job that does not answer in time is left to
// delete itself when it ends.
template <class KeychainJob> Result runJob(std::unique_ptr<KeychainJob>& job)
{
    job->setAutoDelete(false);
    QEventLoop loop;
    bool finished = false;
    QObject::connect(job.get(), &QKeychain::Job::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(kAnswerMs, &loop, &QEventLoop::quit);
    job->start();
    loop.exec();
    if (!finished) {
        job.release()->setAutoDelete(true);
        return Result::refused(texts::Store::tr("the keyring did not answer within %1 s")
                                   .arg(QString::number(kAnswerMs / 1000)));
    }
    return job->error() == QKeychain::NoError ? Result() : Result::refused(job->errorString());
}

QString noBusText()
{
    return texts::Store::tr("no desktop session bus is running");
}

} // namespace

bool isReference(const QString& stored)
{
    return stored.startsWith(kPrefix);
}

Expected<QString> store(const QString& password)
{
    if (!sessionBusKnown())
        return Result::refused(noBusText());
    const QString token = QUuid::createUuid().toString(QUuid::WithoutBraces);
    auto job = std::make_unique<QKeychain::WritePasswordJob>(kService);
    job->setKey(token);
    job->setTextData(password);
    if (Result done = runJob(job); !done)
        return done;
    return QString(kPrefix + token);
}

Expected<QString> load(const QString& reference)
{
    if (!sessionBusKnown())
        return Result::refused(noBusText());
    auto job = std::make_unique<QKeychain::ReadPasswordJob>(kService);
    job->setKey(reference.mid(kPrefix.size()));
    if (Result done = runJob(job); !done)
        return done;
    return job->textData();
}

void remove(const QString& stored)
{
    if (!isReference(stored) || !sessionBusKnown())
        return;
    auto job = std::make_unique<QKeychain::DeletePasswordJob>(kService);
    job->setKey(stored.mid(kPrefix.size()));
    static_cast<void>(runJob(job)); // an entry left behind names no password of a Site
}

} // namespace meridan::secrets
