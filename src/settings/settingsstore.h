#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <variant>

namespace meridan {

// The key that holds the preferences and one subkey per Site.
inline const QString kProductKey = QStringLiteral("SOFTWARE\\Meridan");

// Status codes of the store's operations, as the registry gives them.
enum StoreStatus : int {
    kStoreOk = 0,
    kStoreNotFound = 2,
    kStoreAccessDenied = 5,
    kStoreWriteFailed = 29,
};

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
    void setValue(StoredValue newValue);
    bool removeValue(const QString& valueName);
    bool removeChild(const QString& childName);
};

// The file behind the store: the registry of the current user, kept in
// $XDG_CONFIG_HOME/Meridan/settings.json. Every change is a locked
// read-modify-write that replaces the file atomically, so two running
// programs never lose each other's writes. A file that cannot be parsed is
// never overwritten.
class SettingsStore
{
public:
    static QString filePath();

    // The whole tree as stored now; nullopt when the file is damaged.
    static std::optional<StoreNode> read();

    // Applies change to the stored tree and writes it back when change
    // returns true. Returns the status of the whole operation.
    static int update(const std::function<bool(StoreNode& root)>& change);
};

// Access rights, as the registry names them.
enum KeyRights : quint32 {
    kQueryValue = 1,
    kSetValue = 2,
    kCreateSubKey = 4,
    kEnumerateSubKeys = 8,
};

// One key of the store, opened for a short run of operations. A key is
// created only when the rights include kSetValue; otherwise opening a missing
// key leaves the object not open and every operation fails quietly.
class SettingsKey
{
public:
    SettingsKey(const QString& path, quint32 rights);

    bool isOpen() const { return m_open; }
    const QString& path() const { return m_path; }

    quint32 readDword(const QString& name, quint32 defaultValue) const;
    // The string, or "" when it is missing (status kStoreNotFound then).
    int readString(const QString& name, QString* text) const;
    QString readString(const QString& name) const;

    int writeDword(const QString& name, quint32 number);
    int writeString(const QString& name, const QString& text);
    // Writes several values in one atomic change of the file.
    int writeValues(const QList<StoredValue>& values);

    QStringList enumSubkeys() const;
    // The key with all its values as stored now; nullopt when not open.
    std::optional<StoreNode> snapshot() const;
    int deleteValue(const QString& name);
    int deleteSubkey(const QString& name);

private:
    int changeNode(const std::function<bool(StoreNode& key)>& change);

    QStringList m_parts;
    QString m_path;
    bool m_open = false;
};

} // namespace meridan
