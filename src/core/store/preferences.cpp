#include "preferences.h"

#include "store/settingsstore.h"
#include "store/valuenames.h"
#include "util/numbers.h"
#include "util/texts.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace meridan {

Preferences Preferences::load()
{
    const std::optional<StoreNode> key = SettingsStore::snapshot(kProductKey); // one read
    return of(key ? &*key : nullptr);
}

Preferences Preferences::of(const StoreNode* key)
{
    const auto text = [&](const QString& name) { return key ? key->text(name) : QString(); };
    const auto number = [&](const QString& name, quint32 missing) {
        return key ? key->number(name, missing) : missing;
    };
    Preferences prefs;
    prefs.analogPath = text(values::AnalogPath);
    prefs.textEditor = text(values::TextEditor);
    prefs.cfgAscending = number(values::CfgAscending, 0) != 0;
    prefs.parallelBuilds =
        int(std::clamp<quint32>(number(values::ParallelBuilds, 1), 1, quint32(kMaxParallelBuilds)));
    prefs.maxLogFileMiB = int(std::clamp<quint32>(
        number(values::MaxLogFileMiB, kDefaultMaxLogFileMiB), 1, kMaxMaxLogFileMiB));
    prefs.overviewFolder = text(values::OverviewFolder);
    return prefs;
}

Result Preferences::save() const
{
    const QList<StoredValue> values{{values::AnalogPath, analogPath},
                                    {values::TextEditor, textEditor},
                                    {values::CfgAscending, quint32(cfgAscending ? 1 : 0)},
                                    {values::ParallelBuilds, quint32(parallelBuilds)},
                                    {values::MaxLogFileMiB, quint32(maxLogFileMiB)},
                                    {values::OverviewFolder, overviewFolder}};
    return SettingsStore::write([&](StoreTransaction& tx) {
        return (tx.keyExists(kProductKey) || tx.createKey(kProductKey)) &&
               tx.setValues(kProductKey, values);
    });
}

bool Preferences::setValue(const QString& valueName, const QString& text)
{
    const auto is = [&](const QString& name) { return values::valueIs(valueName, name); };
    if (is(values::AnalogPath))
        analogPath = text;
    else if (is(values::TextEditor))
        textEditor = text;
    else if (is(values::OverviewFolder))
        overviewFolder = text.isEmpty() ? text : QDir(text).absolutePath();
    else if (const auto on = decimalIn(text, 0, 1); is(values::CfgAscending) && on)
        cfgAscending = *on == 1;
    else if (const auto jobs = decimalIn(text, 1, kMaxParallelBuilds);
             is(values::ParallelBuilds) && jobs)
        parallelBuilds = *jobs;
    else if (const auto mib = decimalIn(text, 1, kMaxMaxLogFileMiB);
             is(values::MaxLogFileMiB) && mib)
        maxLogFileMiB = *mib;
    else
        return false;
    return true;
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

QString Preferences::analogPathInUse()
{
    return load().analogInUse();
}

QString Preferences::analogInUse() const
{
    return analogPath.isEmpty() ? proposedAnalogPath() : analogPath;
}

Result Preferences::storeFoundAnalogAtFirstStart()
{
    Preferences prefs = load();
    if (!prefs.analogPath.isEmpty())
        return {};
    prefs.analogPath = proposedAnalogPath();
    return prefs.save();
}

QString Preferences::effectiveTextEditor()
{
    const QString editor = load().textEditor;
    return editor.isEmpty() ? defaultTextEditor() : editor;
}

Result Preferences::openInTextEditor(const QString& file)
{
    const QString editor = effectiveTextEditor();
    QStringList command = QProcess::splitCommand(editor);
    const QString program = command.isEmpty() ? QString() : command.takeFirst();
    if (program.isEmpty() || !QProcess::startDetached(program, command << file))
        return Result::refused(
            texts::Store::tr("The text editor \"%1\" could not be started to open %2. Choose "
                             "another in the preferences.")
                .arg(editor, file));
    return {};
}

bool Preferences::ascending()
{
    return load().cfgAscending;
}

} // namespace meridan
