#include "storejson.h"

#include "util/texts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

const QString kFormatTag = u"Meridan settings"_s;
constexpr int kFormatVersion = 1;
constexpr int kMaxDepth = 32;

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

// A key's name is one level of a path: never empty, never "." or "..",
// without the separators of key paths and folders, and printable.
bool isKeyName(const QString& name)
{
    return !name.isEmpty() && name != u"."_s && name != u".."_s && !name.contains(u'\\') &&
           !name.contains(u'/') && texts::printable(name) == name;
}

bool nodeFromJson(const QJsonValue& json, const QString& path, StoreNode* node,
                  QStringList* duplicates, int depth = 0)
{
    const QJsonObject object = json.toObject();
    if (depth > kMaxDepth || !object.value(u"name"_s).isString() ||
        !object.value(u"values"_s).isArray() || !object.value(u"keys"_s).isArray())
        return false;
    node->name = object.value(u"name"_s).toString();
    if (depth > 0 && !isKeyName(node->name))
        return false;
    for (const QJsonValue& item : object.value(u"values"_s).toArray()) {
        StoredValue value;
        if (!valueFromJson(item, &value))
            return false;
        node->setValue(std::move(value));
    }
    for (const QJsonValue& item : object.value(u"keys"_s).toArray()) {
        StoreNode child;
        const QString childPath = path.isEmpty() ? QString() : path + u'\\';
        if (!nodeFromJson(item, childPath + item.toObject().value(u"name"_s).toString(), &child,
                          duplicates, depth + 1))
            return false;
        if (node->child(child.name)) {
            duplicates->append(childPath + child.name);
            continue;
        }
        node->keys.append(std::move(child));
    }
    return true;
}

} // namespace

QByteArray storeToJson(const StoreNode& root)
{
    const QJsonObject document{{kFormatTag, kFormatVersion}, {u"root"_s, toJson(root)}};
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

StoreJson storeFromJson(const QByteArray& text)
{
    StoreJson result;
    if (text.trimmed().isEmpty()) { // an empty file holds no keys yet
        result.root = StoreNode{};
        return result;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        result.problem = error.errorString();
        return result;
    }
    const QJsonObject object = document.object();
    StoreNode root;
    if (object.value(kFormatTag).toInt() != kFormatVersion ||
        !nodeFromJson(object.value(u"root"_s), QString(), &root, &result.caseDuplicates)) {
        result.problem = texts::Store::tr("not the form Meridan writes");
        result.caseDuplicates.clear();
        return result;
    }
    result.root = std::move(root);
    return result;
}

} // namespace meridan
