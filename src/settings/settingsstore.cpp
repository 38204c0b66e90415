#include "settingsstore.h"

#include "common/messages.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <utility>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

const QString kFormatTag = u"Meridan settings"_s;
constexpr int kFormatVersion = 1;
constexpr int kLockTimeoutMs = 10000;

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QStringList splitKeyPath(const QString& path)
{
    return path.split(u'\\', Qt::SkipEmptyParts);
}

// --- JSON form ---------------------------------------------------------

QJsonObject toJson(const StoreNode& node)
{
    QJsonArray values;
    for (const StoredValue& value : node.values) {
        QJsonObject item{{u"name"_s, value.name}};
        if (const auto* text = std::get_if<QString>(&value.data))
            item.insert(u"string"_s, *text);
        else
            item.insert(u"dword"_s, static_cast<qint64>(std::get<quint32>(value.data)));
        values.append(item);
    }
    QJsonArray keys;
    for (const StoreNode& child : node.keys)
        keys.append(toJson(child));
    return {{u"name"_s, node.name}, {u"values"_s, values}, {u"keys"_s, keys}};
}

bool valueFromJson(const QJsonValue& json, StoredValue* value)
{
    const QJsonObject item = json.toObject();
    if (!item.value(u"name"_s).isString())
        return false;
    value->name = item.value(u"name"_s).toString();
    if (item.value(u"string"_s).isString()) {
        value->data = item.value(u"string"_s).toString();
        return true;
    }
    const QJsonValue number = item.value(u"dword"_s);
    if (!number.isDouble())
        return false;
    const double d = number.toDouble();
    if (d < 0 || d > 4294967295.0 || d != static_cast<double>(static_cast<qint64>(d)))
        return false;
    value->data = static_cast<quint32>(static_cast<qint64>(d));
    return true;
}

bool nodeFromJson(const QJsonValue& json, StoreNode* node, int depth = 0)
{
    const QJsonObject object = json.toObject();
    if (depth > 32 || !object.value(u"name"_s).isString() || !object.value(u"values"_s).isArray() ||
        !object.value(u"keys"_s).isArray())
        return false;
    node->name = object.value(u"name"_s).toString();
    for (const QJsonValue& item : object.value(u"values"_s).toArray()) {
        StoredValue value;
        if (!valueFromJson(item, &value))
            return false;
        node->setValue(std::move(value));
    }
    for (const QJsonValue& item : object.value(u"keys"_s).toArray()) {
        StoreNode child;
        if (!nodeFromJson(item, &child, depth + 1))
            return false;
        node->removeChild(child.name);
        node->keys.append(std::move(child));
    }
    return true;
}

QByteArray serialize(const StoreNode& root)
{
    QJsonObject document{{kFormatTag, kFormatVersion}, {u"root"_s, toJson(root)}};
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

enum class ReadResult { Ok, Damaged };

ReadResult parseFile(const QString& path, StoreNode* root)
{
    *root = StoreNode{};
    QFile file(path);
    if (!file.exists())
        return ReadResult::Ok;
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult::Damaged;
    const QByteArray bytes = file.readAll();
    if (bytes.trimmed().isEmpty())
        return ReadResult::Ok; // an empty file holds no keys yet
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return ReadResult::Damaged;
    const QJsonObject object = document.object();
    if (object.value(kFormatTag).toInt() != kFormatVersion)
        return ReadResult::Damaged;
    return nodeFromJson(object.value(u"root"_s), root) ? ReadResult::Ok : ReadResult::Damaged;
}

// Said once per run: every later read or write would repeat the same words.
void reportDamaged(const QString& path)
{
    static bool reported = false;
    if (std::exchange(reported, true))
        return;
    messages().error(u"The settings file %1 cannot be read. It was left as it is: repair or "
                     u"remove it. Until then no setting can be saved."_s.arg(path));
}

bool writeStoreFile(const QString& path, const StoreNode& root)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = serialize(root);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

const StoreNode* findNode(const StoreNode& root, const QStringList& parts)
{
    const StoreNode* node = &root;
    for (const QString& part : parts) {
        node = node->child(part);
        if (!node)
            return nullptr;
    }
    return node;
}

StoreNode* findNode(StoreNode& root, const QStringList& parts)
{
    return const_cast<StoreNode*>(findNode(std::as_const(root), parts));
}

} // namespace

// --- StoreNode ---------------------------------------------------------

const StoreNode* StoreNode::child(const QString& childName) const
{
    for (const StoreNode& key : keys)
        if (sameName(key.name, childName))
            return &key;
    return nullptr;
}

StoreNode* StoreNode::child(const QString& childName)
{
    return const_cast<StoreNode*>(std::as_const(*this).child(childName));
}

const StoredValue* StoreNode::value(const QString& valueName) const
{
    for (const StoredValue& item : values)
        if (sameName(item.name, valueName))
            return &item;
    return nullptr;
}

StoredValue* StoreNode::value(const QString& valueName)
{
    return const_cast<StoredValue*>(std::as_const(*this).value(valueName));
}

void StoreNode::setValue(StoredValue newValue)
{
    if (StoredValue* existing = value(newValue.name))
        existing->data = std::move(newValue.data); // keeps the first spelling
    else
        values.append(std::move(newValue));
}

bool StoreNode::removeValue(const QString& valueName)
{
    return values.removeIf([&](const StoredValue& v) { return sameName(v.name, valueName); }) > 0;
}

bool StoreNode::removeChild(const QString& childName)
{
    return keys.removeIf([&](const StoreNode& k) { return sameName(k.name, childName); }) > 0;
}

// --- SettingsStore -------------------------------------------------------

QString SettingsStore::filePath()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base + u"/Meridan/settings.json"_s;
}

std::optional<StoreNode> SettingsStore::read()
{
    StoreNode root;
    if (parseFile(filePath(), &root) == ReadResult::Damaged) {
        reportDamaged(filePath());
        return std::nullopt;
    }
    return root;
}

int SettingsStore::update(const std::function<bool(StoreNode& root)>& change)
{
    const QString path = filePath();
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return kStoreAccessDenied;
    QLockFile lock(path + u".lock"_s);
    if (!lock.tryLock(kLockTimeoutMs)) {
        messages().error(u"The settings file %1 is locked by another program."_s.arg(path));
        return kStoreAccessDenied;
    }
    StoreNode root;
    if (parseFile(path, &root) == ReadResult::Damaged) {
        reportDamaged(path);
        return kStoreAccessDenied;
    }
    if (!change(root))
        return kStoreNotFound;
    if (!writeStoreFile(path, root)) {
        messages().error(u"The settings file %1 cannot be written."_s.arg(path));
        return kStoreWriteFailed;
    }
    return kStoreOk;
}

// --- SettingsKey ---------------------------------------------------------

SettingsKey::SettingsKey(const QString& path, quint32 rights)
    : m_parts(splitKeyPath(path)), m_path(path)
{
    if (m_parts.isEmpty())
        return;
    const std::optional<StoreNode> root = SettingsStore::read();
    m_open = root && findNode(*root, m_parts);
    if (m_open || !(rights & kSetValue) || !root)
        return;
    const int status = SettingsStore::update([this](StoreNode& top) {
        StoreNode* node = &top;
        for (const QString& part : std::as_const(m_parts)) {
            StoreNode* next = node->child(part);
            if (!next) {
                node->keys.append(StoreNode{part, {}, {}});
                next = &node->keys.last();
            }
            node = next;
        }
        return true;
    });
    m_open = status == kStoreOk;
}

std::optional<StoreNode> SettingsKey::snapshot() const
{
    if (!m_open)
        return std::nullopt;
    const std::optional<StoreNode> root = SettingsStore::read();
    if (!root)
        return std::nullopt;
    const StoreNode* found = findNode(*root, m_parts);
    return found ? std::optional<StoreNode>(*found) : std::nullopt;
}

int SettingsKey::changeNode(const std::function<bool(StoreNode& key)>& change)
{
    if (!m_open)
        return kStoreAccessDenied;
    return SettingsStore::update([&](StoreNode& root) {
        StoreNode* key = findNode(root, m_parts);
        return key && change(*key);
    });
}

quint32 SettingsKey::readDword(const QString& name, quint32 defaultValue) const
{
    const std::optional<StoreNode> key = snapshot();
    const StoredValue* value = key ? key->value(name) : nullptr;
    if (!value)
        return defaultValue;
    if (const auto* number = std::get_if<quint32>(&value->data))
        return *number;
    // A string where a number belongs reads as its leading decimal number.
    bool ok = false;
    const quint32 parsed = std::get<QString>(value->data).trimmed().toUInt(&ok);
    return ok ? parsed : defaultValue;
}

int SettingsKey::readString(const QString& name, QString* text) const
{
    text->clear();
    const std::optional<StoreNode> key = snapshot();
    const StoredValue* value = key ? key->value(name) : nullptr;
    if (!value)
        return kStoreNotFound;
    if (const auto* stored = std::get_if<QString>(&value->data))
        *text = *stored;
    else
        *text = QString::number(std::get<quint32>(value->data));
    return kStoreOk;
}

QString SettingsKey::readString(const QString& name) const
{
    QString text;
    readString(name, &text);
    return text;
}

int SettingsKey::writeDword(const QString& name, quint32 number)
{
    return writeValues({StoredValue{name, number}});
}

int SettingsKey::writeString(const QString& name, const QString& text)
{
    return writeValues({StoredValue{name, text}});
}

int SettingsKey::writeValues(const QList<StoredValue>& values)
{
    return changeNode([&](StoreNode& key) {
        for (const StoredValue& value : values)
            key.setValue(value);
        return true;
    });
}

QStringList SettingsKey::enumSubkeys() const
{
    QStringList names;
    if (const std::optional<StoreNode> key = snapshot())
        for (const StoreNode& child : key->keys)
            names.append(child.name);
    return names;
}

int SettingsKey::deleteValue(const QString& name)
{
    return changeNode([&](StoreNode& key) { return key.removeValue(name); });
}

int SettingsKey::deleteSubkey(const QString& name)
{
    return changeNode([&](StoreNode& key) { return key.removeChild(name); });
}

} // namespace meridan
