#include "serveridentity.h"

#include "util/files.h"
#include "util/texts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMessageAuthenticationCode>
#include <QRegularExpression>
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

namespace {

// The name a host goes by in known_hosts: "[host]:port" off port 22.
QByteArray knownHostName(const QString& host, int port)
{
    const QByteArray name = host.toLower().toUtf8();
    return port == 22 || port <= 0 ? name : '[' + name + "]:" + QByteArray::number(port);
}

bool matchesHashed(const QByteArray& entry, const QByteArray& name)
{
    const QList<QByteArray> parts = entry.split('|'); // "", "1", salt, hash
    if (parts.size() != 4 || parts.at(1) != "1")
        return false;
    const QByteArray salt = QByteArray::fromBase64(parts.at(2));
    return QMessageAuthenticationCode::hash(name, salt, QCryptographicHash::Sha1) ==
           QByteArray::fromBase64(parts.at(3));
}

// OpenSSH's patterns know "*" and "?" only: "[host]:port" is no bracket
// expression.
bool matchesPattern(const QByteArray& pattern, const QByteArray& name)
{
    QString expression;
    for (const char c : pattern)
        expression += c == '*'   ? u".*"_s
                      : c == '?' ? u"."_s
                                 : QRegularExpression::escape(QString(QLatin1Char(c)));
    return QRegularExpression(QRegularExpression::anchoredPattern(expression))
        .match(QString::fromLatin1(name))
        .hasMatch();
}

// Whether the comma-separated patterns name the host: one matches and no
// negated one does.
bool namesHost(const QByteArray& patterns, const QByteArray& name)
{
    if (patterns.startsWith("|1|"))
        return matchesHashed(patterns, name);
    bool matched = false;
    for (QByteArray pattern : patterns.split(',')) {
        const bool negated = pattern.startsWith('!');
        if (negated)
            pattern.remove(0, 1);
        if (!matchesPattern(pattern.toLower(), name))
            continue;
        if (negated)
            return false;
        matched = true;
    }
    return matched;
}

} // namespace

KnownHost checkKnownHost(const QByteArray& knownHosts, const QString& host, int port,
                         const QByteArray& keyBlob)
{
    const QByteArray name = knownHostName(host, port);
    const QByteArray type = sshKeyType(keyBlob).toLatin1();
    KnownHost verdict = KnownHost::Unknown;
    for (const QByteArray& line : knownHosts.split('\n')) {
        QList<QByteArray> fields = line.simplified().split(' ');
        QByteArray marker;
        if (fields.first().startsWith('@'))
            marker = fields.takeFirst();
        if (fields.size() < 3 || fields.first().startsWith('#') || !namesHost(fields.at(0), name))
            continue;
        const QByteArray key = QByteArray::fromBase64(fields.at(2));
        if (marker == "@revoked" && key == keyBlob)
            return KnownHost::Revoked;
        if (!marker.isEmpty() || fields.at(1) != type)
            continue; // a certificate authority, or a key of another type
        if (key == keyBlob)
            verdict = KnownHost::Known;
        else if (verdict == KnownHost::Unknown)
            verdict = KnownHost::Changed;
    }
    return verdict;
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
    return writeFileAtomically(path, contents, permissions);
}

QString certificateFingerprint(const QByteArray& der)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(der, QCryptographicHash::Sha256).toHex(':').toUpper());
}

} // namespace meridan
