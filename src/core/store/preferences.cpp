#include "preferences.h"

#include "store/settingsstore.h"

#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {
const QString kAnalogPath = u"AnalogPath"_s;
const QString kTextEditor = u"TextEditor"_s;
const QString kCfgAscending = u"CfgAscending"_s;
} // namespace

Preferences Preferences::load()
{
    const SettingsKey key(kProductKey, kQueryValue);
    Preferences prefs;
    prefs.analogPath = key.readString(kAnalogPath);
    prefs.textEditor = key.readString(kTextEditor);
    prefs.cfgAscending = key.readDword(kCfgAscending, 0) != 0;
    return prefs;
}

bool Preferences::save() const
{
    SettingsKey key(kProductKey, kSetValue);
    return key.writeValues({{kAnalogPath, analogPath},
                            {kTextEditor, textEditor},
                            {kCfgAscending, quint32(cfgAscending ? 1 : 0)}}) == kStoreOk;
}

QString Preferences::proposedAnalogPath()
{
    const QString found = QStandardPaths::findExecutable(u"analog"_s);
    return found.isEmpty() ? u"/usr/bin/analog"_s : found;
}

QString Preferences::defaultTextEditor()
{
    return u"xdg-open"_s;
}

QString Preferences::storedAnalogPath()
{
    return load().analogPath;
}

QString Preferences::effectiveTextEditor()
{
    const QString editor = load().textEditor;
    return editor.isEmpty() ? defaultTextEditor() : editor;
}

bool Preferences::openInTextEditor(const QString& file)
{
    QStringList command = QProcess::splitCommand(effectiveTextEditor());
    if (command.isEmpty())
        return false;
    const QString program = command.takeFirst();
    return QProcess::startDetached(program, command << file);
}

bool Preferences::ascending()
{
    return load().cfgAscending;
}

} // namespace meridan
