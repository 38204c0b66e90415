#pragma once

#include "util/result.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <variant>

namespace meridan {

// The key that holds the preferences and one subkey per Site.
inline const QString kProductKey = QStringLiteral("SOFTWARE\\Meridan");

// One value of a key: a string or a 32-bit number.
struct StoredValue
{
    QString name;
    std::variant<QString, quint32> data;
};

// A key of the store with its values and subkeys. Names are compared without
// regard to case and kept as first spelled.
struct StoreNode
{
    QString name;
    QList<StoredValue> values;
    QList<StoreNode> keys;

    StoreNode* child(const QString& childName);
    const StoreNode* child(const QString& childName) const;
    StoredValue* value(const QString& valueName);
    const StoredValue* value(const QString& valueName) const;
    // A value as text (a number in decimal), "" when missing.
    QString text(const QString& valueName) const;
    // A value as a number (text read as its decimal number), or missing.
    quint32 number(const QString& valueName, quint32 missing) const;
    void setValue(StoredValue newValue);
    bool removeValue(const QString& valueName);
    bool removeChild(const QString& childName);
};

class StoreTransaction;

// The settings of the current user: keys with values, kept in an SQLite database at
// $XDG_CONFIG_HOME/Meridan/settings.sqlite. Every change is one transaction
// that takes the write lock before it reads, so several programs at once
// never lose each other's writes and no check goes stale before its write.
// A damaged or foreign database is never written.
class SettingsStore
{
public:
    static QString filePath();
    // The settings file of release 0.1, imported once when no database exists.
    static QString legacyFilePath();

    // Runs work in one write transaction: committed when it returns true,
    // rolled back otherwise or when a statement failed. Refused, naming the
    // cause, unless committed.
    static Result write(const std::function<bool(StoreTransaction&)>& work);
    // Runs work on one consistent view of the store. Refused when the store
    // cannot be read; a store that does not exist yet reads as empty.
    static Result read(const std::function<void(StoreTransaction&)>& work);
    // A key's values (not its subkeys) in one read, or nullopt when it is
    // not stored or the store cannot be read.
    static std::optional<StoreNode> snapshot(const QString& path);
    // The values of the keys as one read finds them together.
    static Expected<QList<std::optional<StoreNode>>> snapshots(const QStringList& paths);

    // Refused when the store is damaged or foreign.
    static Result usable();
    // usable(), and the database passes SQLite's quick check (a damaged
    // page behind a sound header fails it).
    static Result sound();
    // True when the store was found unusable at any moment of this run:
    // whatever a command did, it could not use the store.
    static bool failedInThisRun();
    // Closes this thread's connection; the next use opens it again.
    static void release();

    // The whole store as JSON, the form of release 0.1's settings file.
    static Expected<QByteArray> exportJson();
    // Replaces the whole store with a JSON text of that form, in one
    // transaction; nothing changed when refused.
    static Result importJson(const QByteArray& json);
};

// What one transaction sees and does. Paths are key paths such as
// "SOFTWARE\\Meridan\\shop"; names compare without regard to case.
class StoreTransaction
{
public:
    virtual ~StoreTransaction() = default;

    virtual bool keyExists(const QString& path) = 0;
    // Creates the key and any missing parent; false when a statement failed.
    virtual bool createKey(const QString& path) = 0;
    // The key's values and its subkeys (names only), or nullopt.
    virtual std::optional<StoreNode> readKey(const QString& path) = 0;
    // The key's values alone: a key with many subkeys reads as fast as any.
    virtual std::optional<StoreNode> readValues(const QString& path) = 0;
    // Sets values of an existing key; a value keeps its first spelling.
    virtual bool setValues(const QString& path, const QList<StoredValue>& values) = 0;
    // False when there was no such value or key.
    virtual bool removeValue(const QString& path, const QString& name) = 0;
    virtual bool removeKey(const QString& path) = 0;
    // Gives an existing key a new name under the same parent, keeping its
    // values and subkeys. False when the key is missing or another key has
    // the new name.
    virtual bool renameKey(const QString& path, const QString& newName) = 0;
};

} // namespace meridan
