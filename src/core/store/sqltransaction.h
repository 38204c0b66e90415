#pragma once

#include "store/settingsstore.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <optional>

// Inside the store only: the SQL behind a StoreTransaction.
namespace meridan {

// The keys and values of one open database, inside one transaction. A
// statement that fails marks the transaction failed; it is rolled back.
class SqlTransaction : public StoreTransaction
{
public:
    explicit SqlTransaction(QSqlDatabase database);

    bool failed() const { return m_error.isValid(); }
    const QSqlError& error() const { return m_error; }

    bool keyExists(const QString& path) override { return findKey(path).has_value(); }
    bool createKey(const QString& path) override;
    std::optional<StoreNode> readKey(const QString& path) override;
    std::optional<StoreNode> readValues(const QString& path) override;
    bool setValues(const QString& path, const QList<StoredValue>& values) override;
    bool removeValue(const QString& path, const QString& name) override;
    bool removeKey(const QString& path) override;
    bool renameKey(const QString& path, const QString& newName) override;

    // A statement of its own (BEGIN, COMMIT, the schema).
    bool execute(const QString& statement);
    // For tables that hang on a key: its id. The root of the tree is key 0,
    // which has no row of its own.
    std::optional<qint64> findKey(const QString& path);
    QSqlQuery prepare(const QString& statement);
    bool run(QSqlQuery& query);

private:
    void fail(const QSqlError& error);
    std::optional<qint64> findChild(qint64 parent, const QString& name);

    QSqlDatabase m_db;
    QSqlError m_error;
};

// Inserts a whole tree below the key with that path.
bool insertTree(StoreTransaction& tx, const QString& path, const StoreNode& node);
// The key with its values and, recursively, its subkeys.
std::optional<StoreNode> readTree(StoreTransaction& tx, const QString& path);

} // namespace meridan
