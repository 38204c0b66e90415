#pragma once

#include "util/result.h"

#include <QByteArray>
#include <QString>

namespace meridan {

// A server that proves who it is by a key (SFTP) or a certificate (FTPS),
// as the user is asked to trust it.
struct ServerIdentity
{
    enum class Kind { SshHostKey, TlsCertificate };
    Kind kind = Kind::SshHostKey;
    QString host;
    int port = 0;
    QString fingerprint; // "SHA256:..." for a host key, hex pairs for a certificate
    QString keyType;     // "ssh-ed25519", ...; empty for a certificate
    QString problem;     // why a certificate was not verified
};

// OpenSSH's form of a host key's fingerprint: "SHA256:" and the unpadded
// Base64 of the SHA-256 of the key blob.
QString sshFingerprint(const QByteArray& keyBlob);

// The key type a host key blob names first ("ssh-ed25519", "ssh-rsa", ...).
QString sshKeyType(const QByteArray& keyBlob);

// The user's own known_hosts file, ~/.ssh/known_hosts.
QString knownHostsPath();

// What a known_hosts text says of a host's key.
enum class KnownHost {
    Unknown, // no line of the host holds a key of this type
    Known,   // a line of the host holds this very key
    Changed, // lines of the host hold other keys of this type, none this one
    Revoked, // a "@revoked" line holds this key
};

// Reads a known_hosts text as OpenSSH does, line by line: markers, hashed
// names, "[host]:port", patterns with "*", "?" and "!". A line it cannot
// read is passed over, never the end of the reading.
KnownHost checkKnownHost(const QByteArray& knownHosts, const QString& host, int port,
                         const QByteArray& keyBlob);

// Adds the host's key to the known_hosts file at path, as OpenSSH writes it
// ("[host]:port" for a port other than 22); the lines already there are kept
// byte for byte and the file is replaced in one step.
Result recordKnownHost(const QString& path, const QString& host, int port,
                       const QByteArray& keyBlob);

// A certificate's SHA-256 fingerprint as "AB:CD:...", the form openssl prints
// and normalizedCertificatePin gives.
QString certificateFingerprint(const QByteArray& der);

} // namespace meridan
