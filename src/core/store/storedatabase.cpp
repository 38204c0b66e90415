#include "storedatabase.h"

#include "store/sqltransaction.h"
#include "store/storejson.h"
#include "util/texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSaveFile>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QThread>
#include <QtEndian>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

constexpr quint32 kApplicationId = 0x4D455244; // "MERD": this file is ours
constexpr int kSchemaVersion = 1;
constexpr int kBusyTimeoutMs = 10000;
constexpr qint64 kMaxLegacySize = 64 * 1024 * 1024;

// SQLite's primary result codes that need words of their own.
enum SqliteCode {
    kSqlitePerm = 3,
    kSqliteBusy = 5,
    kSqliteReadOnly = 8,
    kSqliteIoError = 10,
    kSqliteCorrupt = 11,
    kSqliteFull = 13,
    kSqliteCantOpen = 14,
    kSqliteNotADatabase = 26,
};

const char* const kSchema[] = {
    "PRAGMA application_id = 1296388676",
    "PRAGMA user_version = 1",
    // A name is kept as written and found by its case-folded form.
    "CREATE TABLE keys (id INTEGER PRIMARY KEY, parent INTEGER NOT NULL, name TEXT NOT NULL, "
    "folded TEXT NOT NULL, UNIQUE (parent, folded))",
    "CREATE TABLE vals (key INTEGER NOT NULL, name TEXT NOT NULL, folded TEXT NOT NULL, "
    "text TEXT, dword INTEGER, PRIMARY KEY (key, folded))",
};

static_assert(kApplicationId == 1296388676);

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Creates the folder (private to the user when new) or says what is in
// the way: a file, or a folder that cannot be written.
QString ensureFolder(const QString& folder)
{
    if (QFileInfo(folder).isDir())
        return {};
    QString existing = folder;
    while (!QFileInfo::exists(existing) && existing != QFileInfo(existing).absolutePath())
        existing = QFileInfo(existing).absolutePath();
    const QFileInfo blocker(existing);
    if (!blocker.isDir())
        return texts::Store::tr("%1 is a file, not a folder").arg(existing);
    if (!blocker.isWritable())
        return texts::Store::tr("%1 cannot be written to").arg(existing);
    if (!QDir().mkpath(folder))
        return u"%1"_s.arg(errnoText(errno));
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return {};
}

std::atomic_bool failedDatabase = false;

// What the file's first bytes say, before SQLite is let near it.
enum class Header { Ours, Foreign, Truncated, Unreadable };

Header readHeader(const QString& path, QString* openError)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *openError = file.errorString();
        return Header::Unreadable;
    }
    const QByteArray head = file.read(100);
    if (head.size() < 100 || !head.startsWith(QByteArrayLiteral("SQLite format 3\0")) ||
        qFromBigEndian<quint32>(head.constData() + 68) != kApplicationId)
        return Header::Foreign;
    // A valid in-header page count must fit in the file, unless a
    // journal is there to roll back an interrupted write.
    const quint32 changeCounter = qFromBigEndian<quint32>(head.constData() + 24);
    const quint32 validFor = qFromBigEndian<quint32>(head.constData() + 92);
    const quint32 pages = qFromBigEndian<quint32>(head.constData() + 28);
    const quint32 rawPageSize = qFromBigEndian<quint16>(head.constData() + 16);
    const qint64 pageSize = rawPageSize == 1 ? 65536 : rawPageSize;
    const bool journal = QFileInfo(path + u"-journal"_s).size() > 0;
    if (changeCounter == validFor && pages > 0 && !journal &&
        qint64(pages) * pageSize > file.size())
        return Header::Truncated;
    return Header::Ours;
}

QString threadConnectionName()
{
    return u"meridan-store-%1"_s.arg(quintptr(QThread::currentThreadId()));
}

// The file may be sound: nothing invites the user to remove it.
QString unreadableText(const QString& path, const QString& why)
{
    return texts::Store::tr("The settings database %1 cannot be read: %2. Until then no setting "
                            "can be read or saved.")
        .arg(path, why);
}

QString damagedText(const QString& path, const QString& why)
{
    return texts::Store::
        tr("The settings database %1 cannot be used (%2). It was left as it is: repair, move or "
           "remove it. Until then no setting can be saved.")
            .arg(path, why);
}

} // namespace

StoreDatabase& storeDatabase()
{
    thread_local StoreDatabase database;
    return database;
}

QString StoreDatabase::databasePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/Meridan/settings.sqlite"_s;
}

QString StoreDatabase::legacyPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/Meridan/settings.json"_s;
}

StoreDatabase::State StoreDatabase::open(Purpose purpose)
{
    m_failure.clear(); // every operation starts here: only its own failure is kept
    const QString path = databasePath();
    if (path != m_path) { // a test, or a changed XDG_CONFIG_HOME
        closeConnection();
        m_path = path;
        m_damaged = false;
    }
    if (m_damaged) {
        fail(m_damage);
        return State::Unusable;
    }
    if (!m_connectionName.isEmpty())
        return purpose == Purpose::Write && !checkSound() ? State::Unusable : State::Open;
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) {
        const State state = openExisting();
        return state == State::Open && purpose == Purpose::Write && !checkSound() ? State::Unusable
                                                                                  : state;
    }
    if (purpose == Purpose::Read && !QFileInfo::exists(legacyPath()))
        return State::Absent;
    return create();
}

// The database file as it stands: a write by anything changes its size or
// time.
QByteArray StoreDatabase::fileStamp() const
{
    struct stat info = {};
    if (::stat(QFile::encodeName(m_path).constData(), &info) != 0)
        return {};
    return QByteArray::number(quint64(info.st_ino)) + ' ' +
           QByteArray::number(qint64(info.st_size)) + ' ' +
           QByteArray::number(qint64(info.st_mtim.tv_sec)) + '.' +
           QByteArray::number(qint64(info.st_mtim.tv_nsec));
}

QString StoreDatabase::soundStampPath() const
{
    return m_path + u".checked"_s;
}

void StoreDatabase::noteSoundWrite()
{
    if (!m_checked)
        return;
    // Lost or cut short, it only makes the next write check again.
    QSaveFile stamp(soundStampPath());
    if (stamp.open(QIODevice::WriteOnly) && stamp.write(fileStamp()) > 0)
        stamp.commit();
}

// The whole file is checked before the first write of a run, unless it is
// as the last write of a checked run left it: with many Sites the check
// would take most of a short command's time.
bool StoreDatabase::checkSound()
{
    if (m_checked)
        return true;
    if (QFile stamp(soundStampPath()); stamp.open(QIODevice::ReadOnly)) {
        const QByteArray now = fileStamp();
        if (!now.isEmpty() && stamp.readAll() == now) {
            m_checked = true;
            return true;
        }
    }
    QSqlQuery check(connection());
    if (!check.exec(u"PRAGMA quick_check(1)"_s) || !check.next()) {
        unusable(damagedText(m_path, check.lastError().text()));
        return false;
    }
    if (const QString verdict = check.value(0).toString(); verdict != u"ok"_s) {
        unusable(damagedText(m_path, verdict));
        return false;
    }
    m_checked = true;
    return true;
}

bool StoreDatabase::failedInThisRun()
{
    return failedDatabase;
}

QString StoreDatabase::takeFailure()
{
    return std::exchange(m_failure, {});
}

QString StoreDatabase::takeNote()
{
    return std::exchange(m_note, {});
}

void StoreDatabase::fail(const QString& text)
{
    m_failure = text;
}

QSqlDatabase StoreDatabase::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

StoreDatabase::State StoreDatabase::unusable(const QString& text)
{
    closeConnection();
    m_damaged = true;
    m_damage = text;
    failedDatabase = true;
    fail(text);
    return State::Unusable;
}

bool StoreDatabase::connect(const QString& file, const QString& connectionName)
{
    QSqlDatabase db = QSqlDatabase::contains(connectionName)
                          ? QSqlDatabase::database(connectionName, false)
                          : QSqlDatabase::addDatabase(u"QSQLITE"_s, connectionName);
    db.setDatabaseName(file);
    db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=%1"_s.arg(kBusyTimeoutMs));
    // Rows that hang on a Site's key go with it (outside a transaction:
    // within one the pragma does nothing).
    return db.open() && QSqlQuery(db).exec(u"PRAGMA foreign_keys = ON"_s);
}

void StoreDatabase::closeConnection()
{
    if (m_connectionName.isEmpty())
        return;
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
    m_connectionName.clear();
    m_checked = false;
}

StoreDatabase::State StoreDatabase::openExisting()
{
    const QFileInfo info(m_path);
    if (!info.isFile())
        return unusable(damagedText(m_path, texts::Store::tr("it is not a file")));
    QString openError;
    switch (readHeader(m_path, &openError)) {
    case Header::Foreign:
        return unusable(
            damagedText(m_path, texts::Store::tr("it is not a settings database of Meridan")));
    case Header::Truncated:
        return unusable(damagedText(m_path, texts::Store::tr("it is truncated")));
    case Header::Unreadable:
        return unusable(unreadableText(m_path, openError));
    case Header::Ours:
        break;
    }
    // A killed writer's journal is rolled back by the first reader, which
    // needs to write beside the database.
    const QString folder = info.absolutePath();
    if (QFileInfo(m_path + u"-journal"_s).size() > 0 && !QFileInfo(folder).isWritable())
        return unusable(unreadableText(
            m_path, texts::Store::tr("an interrupted write left a journal to roll back, and the "
                                     "folder %1 is read-only")
                        .arg(folder)));
    const QString name = threadConnectionName();
    if (!connect(m_path, name)) {
        const QSqlError error = QSqlDatabase::database(name, false).lastError();
        QSqlDatabase::removeDatabase(name);
        return unusable(damagedText(m_path, error.text()));
    }
    m_connectionName = name;
    if (const QString problem = checkOpened(); !problem.isEmpty())
        return unusable(damagedText(m_path, problem));
    return State::Open;
}

QString StoreDatabase::checkOpened()
{
    QSqlQuery check(connection());
    if (!check.exec(u"PRAGMA user_version"_s) || !check.next())
        return check.lastError().text();
    if (check.value(0).toInt() != kSchemaVersion)
        return texts::Store::tr("it was written by another version of Meridan");
    // The first read also rolls back what a killed writer left.
    if (!check.exec(u"SELECT count(*) FROM keys, vals WHERE 0"_s))
        return check.lastError().text();
    return {};
}

void StoreDatabase::release()
{
    closeConnection();
    m_path.clear();
    m_damaged = false;
}

StoreDatabase::State StoreDatabase::create()
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (const QString problem = ensureFolder(folder); !problem.isEmpty()) {
        fail(
            texts::Store::tr("The settings folder %1 cannot be created: %2.").arg(folder, problem));
        return State::Unusable;
    }
    // Release 0.1 kept the settings as JSON: they come along once.
    StoreJson legacy;
    if (QFileInfo::exists(legacyPath()) && !readLegacy(legacy))
        return State::Unusable;
    // Built under a name of its own, then linked into place: the database
    // is never seen half made, and of two programs creating it one wins.
    QTemporaryFile temporary(folder + u"/settings.sqlite.new-XXXXXX"_s);
    if (!temporary.open()) {
        fail(texts::Store::tr("The settings database %1 cannot be created: %2.")
                 .arg(m_path, temporary.errorString()));
        return State::Unusable;
    }
    temporary.close();
    if (!build(temporary.fileName(), legacy))
        return State::Unusable;
    if (::link(QFile::encodeName(temporary.fileName()).constData(),
               QFile::encodeName(m_path).constData()) != 0 &&
        errno != EEXIST) {
        fail(texts::Store::tr("The settings database %1 cannot be created: %2.")
                 .arg(m_path, errnoText(errno)));
        return State::Unusable;
    }
    if (legacy.root)
        retireLegacy(legacy);
    return openExisting();
}

bool StoreDatabase::readLegacy(StoreJson& legacy)
{
    QFile file(legacyPath());
    if (!QFileInfo(legacyPath()).isFile() || file.size() > kMaxLegacySize ||
        !file.open(QIODevice::ReadOnly)) {
        unusable(texts::Store::tr("The settings file %1 cannot be read. It was left as it is: "
                                  "repair or remove it. Until then no setting can be saved.")
                     .arg(legacyPath()));
        return false;
    }
    legacy = storeFromJson(file.readAll());
    if (!legacy.root)
        unusable(texts::Store::tr("The settings file %1 cannot be read (%2). It was left as it is: "
                                  "repair or remove it. Until then no setting can be saved.")
                     .arg(legacyPath(), legacy.problem));
    return bool(legacy.root);
}

bool StoreDatabase::build(const QString& file, const StoreJson& legacy)
{
    const QString name = threadConnectionName() + u"-new"_s;
    QSqlError error;
    bool built = connect(file, name);
    {
        SqlTransaction tx(QSqlDatabase::database(name, false));
        built = built && tx.execute(u"BEGIN"_s);
        for (const char* statement : kSchema)
            built = built && tx.execute(QString::fromLatin1(statement));
        if (built && legacy.root)
            for (const StoreNode& key : legacy.root->keys)
                built = built && insertTree(tx, key.name, key);
        built = built && tx.execute(u"COMMIT"_s);
        error = tx.failed() ? tx.error() : QSqlDatabase::database(name, false).lastError();
        QSqlDatabase::database(name, false).close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!built)
        failWith(error);
    return built;
}

void StoreDatabase::retireLegacy(const StoreJson& legacy)
{
    const QString imported = legacyPath() + u".imported"_s;
    if (QFile::rename(legacyPath(), imported) && !legacy.caseDuplicates.isEmpty())
        m_note = texts::Store::tr(
                     "%1 held keys whose names differ only in case from one before them; the "
                     "first of each was imported, these were left out: %2. The file stays as "
                     "%3.")
                     .arg(legacyPath(), legacy.caseDuplicates.join(u", "_s), imported);
}

bool StoreDatabase::failedReadOnly()
{
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QFileInfo(folder).isWritable()) {
        fail(texts::Store::tr("The settings database %1 cannot be written: the folder "
                              "%2 is read-only.")
                 .arg(m_path, folder));
        return true;
    }
    if (QFileInfo::exists(m_path) && !QFileInfo(m_path).isWritable()) {
        fail(texts::Store::tr("The settings database %1 cannot be written: the file is read-only.")
                 .arg(m_path));
        return true;
    }
    return false;
}

void StoreDatabase::failWith(const QSqlError& error)
{
    const int code = error.nativeErrorCode().toInt() & 0xff;
    switch (code) {
    case kSqliteCorrupt:
    case kSqliteNotADatabase:
        unusable(damagedText(m_path, error.text()));
        return;
    case kSqliteFull:
        fail(texts::Store::tr("The settings database %1 cannot be written: the disk is full.")
                 .arg(m_path));
        return;
    case kSqliteBusy:
        fail(texts::Store::tr("The settings database %1 stayed locked by another program for %2 "
                              "seconds; nothing was changed.")
                 .arg(m_path, QString::number(kBusyTimeoutMs / 1000)));
        return;
    case kSqlitePerm:
    case kSqliteReadOnly:
    case kSqliteCantOpen:
    case kSqliteIoError:
        if (failedReadOnly())
            return;
        break;
    default:
        break;
    }
    fail(texts::Store::tr("The settings database %1 cannot be written: %2.")
             .arg(m_path, error.text()));
}

} // namespace meridan
