#pragma once

#include "util/result.h"

#include <QString>
#include <QtGlobal>

namespace meridan {

struct StoreNode;

// The program-wide settings, stored directly under the product key.
struct Preferences
{
    QString analogPath;
    QString textEditor;
    bool cfgAscending = false;
    int parallelBuilds = 1;                    // periods the desktop program builds at once
    int maxLogFileMiB = kDefaultMaxLogFileMiB; // the largest log file downloaded
    QString overviewFolder; // where update writes the overview page; none when empty

    static constexpr int kDefaultMaxLogFileMiB = 4096;
    static constexpr int kMaxParallelBuilds = 64;
    static constexpr int kMaxMaxLogFileMiB = 1024 * 1024;
    qint64 maxLogFileBytes() const { return qint64(maxLogFileMiB) * 1024 * 1024; }

    // As stored: a missing value reads as "", "", false, 1, 4096 and "";
    // a store that cannot be read gives them all (its use says why).
    static Preferences load();
    // The preferences as stored in their key (the defaults without one).
    static Preferences of(const StoreNode* key);
    // The stored Analog, or the one found on the path when none is stored.
    QString analogInUse() const;
    Result save() const;
    // Sets one preference, named as stored, from text; false for an unknown
    // name or a text out of its range (a number in decimal, 0 or 1 for a
    // switch). A folder is kept as a full path.
    bool setValue(const QString& valueName, const QString& text);

    // What the preferences dialog proposes for an empty field.
    static QString proposedAnalogPath();
    static QString defaultTextEditor();

    // Each reader's view: the Analog path as stored, or the one found when
    // none is; the editor falls back to the default when empty.
    static QString storedAnalogPath();
    static QString analogPathInUse();
    // Stores the Analog found when none is stored yet: the desktop
    // program's first start; refused when the store cannot be written.
    static Result storeFoundAnalogAtFirstStart();
    static QString effectiveTextEditor();
    static bool ascending();

    // Opens a file in the text editor, started on its own without a shell;
    // refused when it could not be started.
    static Result openInTextEditor(const QString& file);
};

} // namespace meridan
