#include "hostbasecfgpage.h"

#include "analog/cfggenerator.h"
#include "store/preferences.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "ui_hostbasecfgpage.h"
#include "util/files.h"
#include "util/messages.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace meridan {

CHostBaseCfgPage::CHostBaseCfgPage(QWidget* parent)
    : SitePage(parent), m_ui(std::make_unique<Ui::CHostBaseCfgPage>())
{
    m_ui->setupUi(this);
    for (int output = 0; output < kOutputTypeCount; ++output)
        m_ui->outputCombo->addItem(OutputKeyword(output));
    connect(m_ui->outputCombo, &QComboBox::activated, this, [this](int index) {
        site().Output = index;
        emit modified();
    });
    connect(m_ui->baseConfigCombo, &QComboBox::activated, this, [this](int index) {
        site().DefaultBase = m_ui->baseConfigCombo->itemText(index);
        emit modified();
    });
    bindText(m_ui->errorFileEdit, &SiteRecord::ErrorFile, trimmedField);
    connect(m_ui->editFileButton, &QPushButton::clicked, this, &CHostBaseCfgPage::editFile);
    connect(m_ui->refreshListButton, &QPushButton::clicked, this, &CHostBaseCfgPage::fillBaseList);
}

CHostBaseCfgPage::~CHostBaseCfgPage() = default;

void CHostBaseCfgPage::load()
{
    fillBaseList();
    m_ui->outputCombo->setCurrentIndex(
        site().Output >= 0 && site().Output < kOutputTypeCount ? site().Output : -1);
    m_ui->errorFileEdit->setText(site().ErrorFile);
}

void CHostBaseCfgPage::fillBaseList()
{
    QComboBox* combo = m_ui->baseConfigCombo;
    combo->clear();
    QStringList names;
    for (const QString& file : QDir(site().cfgFolder()).entryList({u"*.basecfg"_s}, QDir::Files))
        names.append(file.section(u'.', 0, 0));
    if (names.isEmpty())
        names.append(site().DefaultBase);
    names.sort(Qt::CaseInsensitive);
    combo->addItems(names);
    combo->setCurrentIndex(
        combo->findText(site().DefaultBase, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

bool CHostBaseCfgPage::leave()
{
    const QString typed = trimmedField(m_ui->baseConfigCombo->currentText());
    if (typed == site().DefaultBase)
        return true;
    const QString file = joinPath(site().cfgFolder(), typed + u".basecfg"_s);
    if (typed.isEmpty() || !QFileInfo(file).isFile()) {
        messages().error(tr("There is no base configuration file %1.").arg(file));
        m_ui->baseConfigCombo->setFocus();
        return false;
    }
    site().DefaultBase = typed;
    emit modified();
    return true;
}

bool CHostBaseCfgPage::apply()
{
    return leave();
}

void CHostBaseCfgPage::editFile()
{
    const QString file =
        joinPath(site().cfgFolder(), m_ui->baseConfigCombo->currentText() + u".basecfg"_s);
    Preferences::openInTextEditor(file).report();
}

} // namespace meridan
