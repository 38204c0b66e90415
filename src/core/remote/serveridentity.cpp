#include "serveridentity.h"

#include "util/files.h"
#include "util/texts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace meridan {

QString sshFingerprint(const QByteArray& keyBlob)
{
    const QByteArray digest = QCryptographicHash::hash(keyBlob, QCryptographicHash::Sha256);
    return u"SHA256:"_s + QString::fromLatin1(digest.toBase64(QByteArray::OmitTrailingEquals));
}

QString sshKeyType(const QByteArray& keyBlob)
{
    if (keyBlob.size() < 4)
        return {};
    const quint32 length = qFromBigEndian<quint32>(keyBlob.constData());
    if (length > quint32(keyBlob.size() - 4))
        return {};
    return QString::fromLatin1(keyBlob.mid(4, qsizetype(length)));
}

QString knownHostsPath()
{
    return QDir::homePath() + u"/.ssh/known_hosts"_s;
}

Result recordKnownHost(const QString& path, const QString& host, int port,
                       const QByteArray& keyBlob)
{
    const QString type = sshKeyType(keyBlob);
    if (type.isEmpty())
        return Result::refused(texts::Remote::tr("The host key of %1 cannot be read.").arg(host));
    const QString folder = folderOfPath(path);
    if (!QDir().mkpath(folder))
        return Result::refused(texts::Remote::tr("The folder %1 cannot be created.").arg(folder));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QByteArray contents;
    QFile existing(path);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly))
            return Result::refused(
                texts::Remote::tr("%1 cannot be read: %2").arg(path, existing.errorString()));
        contents = existing.readAll();
        if (!contents.isEmpty() && !contents.endsWith('\n'))
            contents += '\n';
    }
    const QString name = port == 22 || port <= 0 ? host : u"[%1]:%2"_s.arg(host).arg(port);
    contents += (name + u' ' + type + u' ').toUtf8() + keyBlob.toBase64() + '\n';
    const auto permissions =
        existing.exists() ? existing.permissions() : (QFile::ReadOwner | QFile::WriteOwner);
    if (!writeFileAtomically(path, contents, permissions))
        return Result::refused(texts::Remote::tr("%1 cannot be written.").arg(path));
    return {};
}

QString certificateFingerprint(const QByteArray& der)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(der, QCryptographicHash::Sha256).toHex(':').toUpper());
}

} // namespace meridan
