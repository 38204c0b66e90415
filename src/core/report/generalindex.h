#pragma once

#include "util/result.h"

#include <QByteArray>
#include <QLocale>
#include <QStringList>
#include <optional>

namespace meridan {

class SiteRecord;

// The general index over a Site's reports: with frames "index.html" (a
// frameset), "merintro.html" (the title) and "mernav.html" (the links);
// without, the link page alone as "index.html", with the style sheet they
// name. Captions follow the installed translation, month names the locale.
class CGeneralIndex
{
public:
    CGeneralIndex(const SiteRecord& site, const QStringList& reportList, bool ascending,
                  bool frames, const QLocale& locale = QLocale::system());
    virtual ~CGeneralIndex() = default;

    // Writes every page that changed; refused, saying why, when a page could
    // not be written or a page of frames no longer used not be removed.
    Result write();
    // The pages the last write() changed, by file name.
    const QStringList& writtenPages() const { return m_written; }

    // The pages' texts, as written.
    QByteArray framesetPage() const;
    QByteArray titlePage() const;
    QByteArray navigationPage() const;

    // The caption of a period's link, or "" for a name of no known kind.
    QString caption(const QString& periodName) const;

private:
    QByteArray title() const;
    QByteArray yearBlock(qsizetype firstRow) const;
    QByteArray link(const QString& periodName) const;
    Result writePage(const QString& fileName, const QString& shownName, const QByteArray& text);
    QStringList removeFramePages(); // why a page could not be removed
    Result writeStyleSheet();

    const SiteRecord& m_site;
    QStringList m_reportList;
    bool m_ascending;
    bool m_frames;
    QLocale m_locale;
    QStringList m_written;
};

// The general index over every report configured for the Site, in the
// order asked for; with frames unless told otherwise when no post-process
// makes pages of the reports.
CGeneralIndex siteIndex(const SiteRecord& site, bool ascending,
                        std::optional<bool> frames = std::nullopt);
bool framesByDefault(const SiteRecord& site);

// The style sheet the pages name, as shipped with the program.
QByteArray defaultStyleSheet();

} // namespace meridan
