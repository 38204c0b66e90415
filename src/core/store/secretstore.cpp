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
// "" when it succeeded, else the reason. A job that does not answer in
// time is left to delete itself when it ends.
template <class KeychainJob> QString runJob(std::unique_ptr<KeychainJob>& job)
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
        return texts::Store::tr("the keyring did not answer within %1 s")
            .arg(QString::number(kAnswerMs / 1000));
    }
    return job->error() == QKeychain::NoError ? QString() : job->errorString();
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

std::optional<QString> store(const QString& password, QString* whyNot)
{
    if (!sessionBusKnown()) {
        *whyNot = noBusText();
        return std::nullopt;
    }
    const QString token = QUuid::createUuid().toString(QUuid::WithoutBraces);
    auto job = std::make_unique<QKeychain::WritePasswordJob>(kService);
    job->setKey(token);
    job->setTextData(password);
    if (const QString error = runJob(job); !error.isEmpty()) {
        *whyNot = error;
        return std::nullopt;
    }
    return kPrefix + token;
}

std::optional<QString> load(const QString& reference, QString* whyNot)
{
    if (!sessionBusKnown()) {
        *whyNot = noBusText();
        return std::nullopt;
    }
    auto job = std::make_unique<QKeychain::ReadPasswordJob>(kService);
    job->setKey(reference.mid(kPrefix.size()));
    if (const QString error = runJob(job); !error.isEmpty()) {
        *whyNot = error;
        return std::nullopt;
    }
    return job->textData();
}

void remove(const QString& stored)
{
    if (!isReference(stored) || !sessionBusKnown())
        return;
    auto job = std::make_unique<QKeychain::DeletePasswordJob>(kService);
    job->setKey(stored.mid(kPrefix.size()));
    runJob(job);
}

} // namespace meridan::secrets
