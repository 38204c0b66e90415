#include "aboutdlg.h"

#include "main/helppage.h"
#include "widgets/hypertexte.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace meridan {

AboutDlg::AboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"aboutDialog"_s);
    setWindowTitle(tr("About Meridan"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(u"Meridan %1"_s.arg(QStringLiteral(MERIDAN_VERSION)), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);
    layout->addWidget(new QLabel(
        tr("Web statistics for several web sites with Analog,\nthe command-line web log analyser."),
        this));
    auto* licence = new QLabel(tr("Copyright 2026 The Meridan developers.\nFree software under "
                                  "the GNU General Public License,\nversion 3 or later. There is "
                                  "NO WARRANTY."),
                               this);
    licence->setObjectName(u"licenceLabel"_s);
    layout->addWidget(licence);
    const struct
    {
        QString text;
        QUrl target;
        bool bold;
    } links[] = {
        {tr("Help & getting started"), QUrl::fromLocalFile(helpPagePath()), true},
        {tr("Analog CE, the log analyser"), QUrl(u"https://www.c-amie.co.uk/software/analog/"_s),
         false},
        {tr("Analog's documentation on this computer"),
         QUrl::fromLocalFile(u"/usr/share/doc/analog/docs/Readme.html"_s), false},
    };
    int number = 0;
    for (const auto& link : links) {
        auto* label = new CHypertexte(this);
        label->setObjectName(u"link%1"_s.arg(++number));
        label->setLink(link.text, link.target, link.bold);
        layout->addWidget(label);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace meridan
