#pragma once

#include "store/settingsstore.h"

#include <QSqlDatabase>
#include <QString>

class QSqlError;

namespace meridan {

struct StoreJson;

// The SQLite database behind the settings store, one connection per thread.
// It creates the database on the first write (importing release 0.1's JSON
// file when there is one), checks that an existing file is a sound Meridan
// database before anything is read or written, and turns a failed statement
// into a message that names the cause.
class StoreDatabase
{
public:
    enum class Purpose { Read, Write };
    enum class State {
        Absent,   // no database yet: reads see an empty store
        Open,     // connection() is ready
        Unusable, // damaged, foreign or not creatable: see takeFailure
    };

    static QString databasePath();
    static QString legacyPath();

    // Opens (for writing: creates) the database at the current path.
    State open(Purpose purpose);
    QSqlDatabase connection() const;
    // Closes the connection and forgets what was found; the next open
    // looks at the file afresh.
    void release();

    // Runs SQLite's quick check once per connection; a store that fails it
    // is never used again in this run.
    // After a write that committed on a sound database: the file as it is
    // now is sound, and the next process need not check it again.
    void noteSoundWrite();
    bool checkSound();
    // True when any database was found unusable in this run.
    static bool failedInThisRun();

    // Keeps why a statement failed; a damaged database is not touched again
    // in this run.
    void failWith(const QSqlError& error);
    bool failedReadOnly(); // a failure when the folder or the file is read-only
    // Why the last operation on this thread's database (since its open())
    // failed, once; empty when it did not.
    QString takeFailure();
    // What the user should know of an operation that succeeded all the
    // same (settings of release 0.1 imported in part), once: the first
    // write, which the user asked for, says it.
    QString takeNote();

    // A store with no keys, for reads before the database exists.
    class EmptyStore : public StoreTransaction
    {
    public:
        bool keyExists(const QString&) override { return false; }
        bool createKey(const QString&) override { return false; }
        std::optional<StoreNode> readKey(const QString&) override { return std::nullopt; }
        std::optional<StoreNode> readValues(const QString&) override { return std::nullopt; }
        bool setValues(const QString&, const QList<StoredValue>&) override { return false; }
        bool removeValue(const QString&, const QString&) override { return false; }
        bool removeKey(const QString&) override { return false; }
        bool renameKey(const QString&, const QString&) override { return false; }
    };

private:
    State openExisting();
    QString checkOpened(); // why the opened database is not a sound one of ours
    State create();
    bool readLegacy(StoreJson& legacy); // false, kept as the failure, when unreadable
    bool build(const QString& file, const StoreJson& legacy);
    void retireLegacy(const StoreJson& legacy);
    bool connect(const QString& file, const QString& connectionName);
    void closeConnection();
    State unusable(const QString& text);
    void fail(const QString& text);

    QString m_path;           // the database this thread's connection is for
    QString m_connectionName; // empty while closed
    bool m_damaged = false;
    QString m_damage;       // why it is damaged
    QString m_failure;      // the last failure, until taken
    QString m_note;         // until taken
    bool m_checked = false; // the quick check passed on this connection
    QByteArray fileStamp() const;
    QString soundStampPath() const;
};

// This thread's database.
StoreDatabase& storeDatabase();

} // namespace meridan
