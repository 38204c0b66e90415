#include "figurestore.h"

#include "store/settingsstore.h"
#include "store/siterecord.h"
#include "store/sqltransaction.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

// Added to databases of any age when first written: older programs never
// look at them.
const char* const kTables[] = {
    "CREATE TABLE IF NOT EXISTS day_figures (site INTEGER NOT NULL REFERENCES keys(id) ON "
    "DELETE CASCADE, day INTEGER NOT NULL, requests INTEGER NOT NULL, pages INTEGER NOT NULL, "
    "bytes INTEGER NOT NULL, hosts INTEGER NOT NULL, PRIMARY KEY (site, day)) WITHOUT ROWID",
    "CREATE TABLE IF NOT EXISTS month_figures (site INTEGER NOT NULL REFERENCES keys(id) ON "
    "DELETE CASCADE, month INTEGER NOT NULL, requests INTEGER NOT NULL, pages INTEGER NOT NULL, "
    "bytes INTEGER NOT NULL, hosts INTEGER NOT NULL, PRIMARY KEY (site, month)) WITHOUT ROWID",
    "CREATE TABLE IF NOT EXISTS figure_sources (site INTEGER NOT NULL REFERENCES keys(id) ON "
    "DELETE CASCADE, cache TEXT NOT NULL, source BLOB NOT NULL, PRIMARY KEY (site, cache)) "
    "WITHOUT ROWID",
    "CREATE TABLE IF NOT EXISTS update_states (site INTEGER PRIMARY KEY REFERENCES keys(id) ON "
    "DELETE CASCADE, started TEXT NOT NULL, milliseconds INTEGER NOT NULL, files INTEGER NOT "
    "NULL, bytes INTEGER NOT NULL, built INTEGER NOT NULL, planned INTEGER NOT NULL, "
    "problems TEXT NOT NULL)",
};

bool createTables(SqlTransaction& tx)
{
    for (const char* statement : kTables)
        if (!tx.execute(QString::fromLatin1(statement)))
            return false;
    return true;
}

// Runs work on a Site's key id in a write transaction.
Result writeForSite(const QString& site, const std::function<bool(SqlTransaction&, qint64)>& work)
{
    return SettingsStore::write([&](StoreTransaction& store) {
        auto* tx = dynamic_cast<SqlTransaction*>(&store);
        if (!tx || !createTables(*tx))
            return false;
        const std::optional<qint64> id = tx->findKey(SiteRecord::keyPathOf(site));
        return id && work(*tx, *id);
    });
}

bool bindAndRun(SqlTransaction& tx, const QString& statement, const QVariantList& values)
{
    QSqlQuery query = tx.prepare(statement);
    for (const QVariant& value : values)
        query.addBindValue(value);
    return tx.run(query);
}

bool hasTables(SqlTransaction& tx)
{
    QSqlQuery query = tx.prepare(
        u"SELECT count(*) FROM sqlite_master WHERE name IN ('day_figures', 'month_figures', "
        u"'figure_sources', 'update_states')"_s);
    return tx.run(query) && query.next() && query.value(0).toInt() == 4;
}

QDate dayOf(const QVariant& value)
{
    return QDate::fromJulianDay(value.toLongLong());
}

UpdateState updateStateOf(const QSqlQuery& row)
{
    UpdateState state;
    state.started = QDateTime::fromString(row.value(1).toString(), Qt::ISODateWithMs);
    state.milliseconds = row.value(2).toLongLong();
    state.filesFetched = row.value(3).toInt();
    state.bytesFetched = row.value(4).toLongLong();
    state.periodsBuilt = row.value(5).toInt();
    state.periodsPlanned = row.value(6).toInt();
    for (const QJsonValue& problem : QJsonDocument::fromJson(row.value(7).toByteArray()).array())
        state.problems.append(problem.toString());
    return state;
}

// Reads the rows of every Site below the product key, each handed over
// with the Site's name.
void readRows(SqlTransaction& tx, const QString& statement,
              const std::function<void(const QString&, const QSqlQuery&)>& take,
              const QVariantList& more = {})
{
    const std::optional<qint64> product = tx.findKey(kProductKey);
    if (!product)
        return;
    QSqlQuery query = tx.prepare(statement);
    query.addBindValue(*product);
    for (const QVariant& value : more)
        query.addBindValue(value);
    if (!tx.run(query))
        return;
    while (query.next())
        take(query.value(0).toString(), query);
}

// The figures being read, one entry a Site: the named Sites in their
// order, or, when none is named, every Site as its first row comes.
struct FigureTable
{
    explicit FigureTable(const QStringList& sites) : open(sites.isEmpty())
    {
        for (const QString& site : sites)
            add(site);
    }
    SiteFigures* entry(const QString& name)
    {
        if (auto place = places.constFind(name.toCaseFolded()); place != places.cend())
            return &rows[*place];
        return open ? add(name) : nullptr;
    }
    SiteFigures* add(const QString& name)
    {
        places.insert(name.toCaseFolded(), rows.size());
        rows.append({name, {}, {}, std::nullopt});
        return &rows.last();
    }

    // Days' or months' figures, from the columns after the Site's name.
    template <typename Figures>
    void read(SqlTransaction& tx, const QString& statement, QList<Figures> SiteFigures::*list,
              const QVariantList& more = {})
    {
        readRows(
            tx, statement,
            [&](const QString& name, const QSqlQuery& row) {
                if (SiteFigures* figures = entry(name))
                    (figures->*list)
                        .append({dayOf(row.value(1)), row.value(2).toLongLong(),
                                 row.value(3).toLongLong(), row.value(4).toLongLong(),
                                 row.value(5).toLongLong()});
            },
            more);
    }

    bool open;
    QList<SiteFigures> rows;
    QHash<QString, qsizetype> places; // by folded name
};

} // namespace

Result saveCacheFigures(const QString& site, const CacheFigures& figures)
{
    if (figures.covered.isEmpty())
        return {};
    const QDate& first = figures.covered.first();
    const qint64 monthStart = QDate(first.year(), first.month(), 1).toJulianDay();
    const qint64 monthEnd = QDate(first.year(), first.month(), 1).addMonths(1).toJulianDay();
    return writeForSite(site, [&](SqlTransaction& tx, qint64 id) {
        bool ok = true;
        for (const QDate& day : figures.covered)
            ok = ok && bindAndRun(tx, u"DELETE FROM day_figures WHERE site = ? AND day = ?"_s,
                                  {id, day.toJulianDay()});
        for (const auto& [cache, source] : figures.sources)
            ok = ok && bindAndRun(tx, u"INSERT OR REPLACE INTO figure_sources VALUES (?, ?, ?)"_s,
                                  {id, cache, source});
        for (const DayFigures& day : figures.days)
            ok = ok &&
                 bindAndRun(
                     tx, u"INSERT OR REPLACE INTO day_figures VALUES (?, ?, ?, ?, ?, ?)"_s,
                     {id, day.day.toJulianDay(), day.requests, day.pages, day.bytes, day.hosts});
        if (!ok)
            return false;
        if (const std::optional<MonthFigures>& read = figures.month)
            return bindAndRun(
                tx, u"INSERT OR REPLACE INTO month_figures VALUES (?, ?, ?, ?, ?, ?)"_s,
                {id, monthStart, read->requests, read->pages, read->bytes, read->hosts});
        return bindAndRun(tx,
                          u"INSERT OR REPLACE INTO month_figures SELECT ?, ?, "
                          u"coalesce(sum(requests), 0), coalesce(sum(pages), 0), "
                          u"coalesce(sum(bytes), 0), -1 FROM day_figures "
                          u"WHERE site = ? AND day >= ? AND day < ?"_s,
                          {id, monthStart, id, monthStart, monthEnd});
    });
}

Result saveCacheSource(const QString& site, const QString& cache, const QByteArray& source)
{
    return writeForSite(site, [&](SqlTransaction& tx, qint64 id) {
        return bindAndRun(tx, u"INSERT OR REPLACE INTO figure_sources VALUES (?, ?, ?)"_s,
                          {id, cache, source});
    });
}

Result saveUpdateState(const QString& site, const UpdateState& state)
{
    const QByteArray problems =
        QJsonDocument(QJsonArray::fromStringList(state.problems)).toJson(QJsonDocument::Compact);
    return writeForSite(site, [&](SqlTransaction& tx, qint64 id) {
        return bindAndRun(tx,
                          u"INSERT OR REPLACE INTO update_states VALUES (?, ?, ?, ?, ?, ?, ?, ?)"_s,
                          {id, state.started.toString(Qt::ISODateWithMs), state.milliseconds,
                           state.filesFetched, state.bytesFetched, state.periodsBuilt,
                           state.periodsPlanned, QString::fromUtf8(problems)});
    });
}

QHash<QString, QByteArray> storedSources(const QString& site)
{
    QHash<QString, QByteArray> sources;
    const Result read = SettingsStore::read([&](StoreTransaction& store) {
        auto* tx = dynamic_cast<SqlTransaction*>(&store);
        const std::optional<qint64> id =
            tx && hasTables(*tx) ? tx->findKey(SiteRecord::keyPathOf(site)) : std::nullopt;
        if (!id)
            return;
        QSqlQuery query = tx->prepare(u"SELECT cache, source FROM figure_sources WHERE site = ?"_s);
        query.addBindValue(*id);
        if (tx->run(query))
            while (query.next())
                sources.insert(query.value(0).toString(), query.value(1).toByteArray());
    });
    return read ? sources : QHash<QString, QByteArray>();
}

QList<SiteFigures> loadFigures(const QStringList& sites, const QDate& daysFrom)
{
    FigureTable table(sites);
    const Result read = SettingsStore::read([&](StoreTransaction& store) {
        auto* tx = dynamic_cast<SqlTransaction*>(&store);
        if (!tx || !hasTables(*tx))
            return;
        table.read(*tx,
                   u"SELECT k.name, f.day, f.requests, f.pages, f.bytes, f.hosts FROM "
                   u"day_figures f JOIN keys k ON k.id = f.site WHERE k.parent = ? AND "
                   u"f.day >= ? ORDER BY f.site, f.day"_s,
                   &SiteFigures::days, {daysFrom.isValid() ? daysFrom.toJulianDay() : qint64(0)});
        table.read(*tx,
                   u"SELECT k.name, f.month, f.requests, f.pages, f.bytes, f.hosts FROM "
                   u"month_figures f JOIN keys k ON k.id = f.site WHERE k.parent = ? "
                   u"ORDER BY f.site, f.month"_s,
                   &SiteFigures::months);
        readRows(*tx,
                 u"SELECT k.name, u.started, u.milliseconds, u.files, u.bytes, u.built, u.planned, "
                 u"u.problems FROM update_states u JOIN keys k ON k.id = u.site "
                 u"WHERE k.parent = ?"_s,
                 [&](const QString& name, const QSqlQuery& row) {
                     if (SiteFigures* figures = table.entry(name))
                         figures->lastUpdate = updateStateOf(row);
                 });
    });
    return read ? table.rows : FigureTable(sites).rows;
}

} // namespace meridan
