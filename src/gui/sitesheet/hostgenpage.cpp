#include "hostgenpage.h"

#include "analog/analoginstall.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "ui_hostgenpage.h"
#include "util/messages.h"
#include "util/texts.h"

#include <QFocusEvent>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

const QStringList kLanguages = {
    u"ARMENIAN"_s,     u"BULGARIAN"_s,  u"BULGARIAN-MIK"_s, u"CATALAN"_s,      u"TRAD-CHINESE"_s,
    u"CZECH"_s,        u"CZECH-1250"_s, u"DANISH"_s,        u"DUTCH"_s,        u"ENGLISH"_s,
    u"US-ENGLISH"_s,   u"FINNISH"_s,    u"FRENCH"_s,        u"GERMAN"_s,       u"HUNGARIAN"_s,
    u"INDONESIAN"_s,   u"ITALIAN"_s,    u"JAPANESE-EUC"_s,  u"JAPANESE-JIS"_s, u"JAPANESE-SJIS"_s,
    u"JAPANESE-UTF"_s, u"KOREAN"_s,     u"LATVIAN"_s,       u"NORWEGIAN"_s,    u"NYNORSK"_s,
    u"POLISH"_s,       u"PORTUGUESE"_s, u"BR-PORTUGUESE"_s, u"RUSSIAN"_s,      u"RUSSIAN-1251"_s,
    u"SERBIAN"_s,      u"SLOVAK"_s,     u"SLOVAK-1250"_s,   u"SLOVENE"_s,      u"SLOVENE-1250"_s,
    u"SPANISH"_s,      u"SWEDISH"_s,    u"SWEDISH-ALT"_s,   u"TURKISH"_s,      u"UKRAINIAN"_s};

void showInCombo(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        combo->setCurrentIndex(index);
    else
        combo->setEditText(text);
}

void clearCombo(QComboBox* combo)
{
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
}

} // namespace

CHostGenPage::CHostGenPage(QWidget* parent)
    : SitePage(parent), m_ui(std::make_unique<Ui::CHostGenPage>())
{
    m_ui->setupUi(this);
    QStringList languages = kLanguages;
    languages.sort();
    m_ui->languageCombo->addItems(languages);
    m_ui->languageFileCombo->addItems(analogLanguageFiles());
    clearCombo(m_ui->languageCombo);
    clearCombo(m_ui->languageFileCombo);
    m_ui->hostNameEdit->installEventFilter(this);
    m_ui->languageCombo->installEventFilter(this);
    m_ui->languageFileCombo->installEventFilter(this);

    bindText(m_ui->hostNameEdit, &SiteRecord::name, trimmedField);
    bindText(m_ui->urlEdit, &SiteRecord::Url, trimmedField);
    bindText(m_ui->analogCommandEdit, &SiteRecord::AnalogCommand, analogCommandOrDefault);
    connect(m_ui->languageCombo, &QComboBox::activated, this, &CHostGenPage::languageChosen);
    connect(m_ui->languageFileCombo, &QComboBox::activated, this,
            &CHostGenPage::languageFileChosen);
}

CHostGenPage::~CHostGenPage() = default;

void CHostGenPage::load()
{
    m_ui->hostNameEdit->setText(site().name);
    m_ui->urlEdit->setText(site().Url);
    m_ui->analogCommandEdit->setText(site().AnalogCommand);
    if (!site().Language.isEmpty())
        showInCombo(m_ui->languageCombo, site().Language);
    else if (!site().LangCode.isEmpty())
        showInCombo(m_ui->languageFileCombo, site().LangCode);
}

void CHostGenPage::languageChosen()
{
    chooseLanguage(site(), m_ui->languageCombo->currentText());
    clearCombo(m_ui->languageFileCombo);
    emit modified();
}

void CHostGenPage::languageFileChosen()
{
    chooseLanguageFile(site(), m_ui->languageFileCombo->currentText());
    clearCombo(m_ui->languageCombo);
    emit modified();
}

// Focus that leaves a box whose text did not change changes no value.
void CHostGenPage::languageLeft()
{
    const QString language = m_ui->languageCombo->currentText();
    if (language == site().Language)
        return;
    chooseLanguage(site(), language);
    m_ui->languageFileCombo->setEditText(QString());
    emit modified();
}

void CHostGenPage::languageFileLeft()
{
    const QString code = m_ui->languageFileCombo->currentText();
    if (code == site().LangCode)
        return;
    chooseLanguageFile(site(), code);
    if (!code.isEmpty())
        m_ui->languageCombo->setEditText(QString());
    emit modified();
}

// A new Site's name must be free; its defaults follow from it. A stored
// Site renamed onto another Site's name is refused here as well, so the
// user learns it on this page and not when the sheet has closed.
bool CHostGenPage::checkHostName()
{
    // Refused here, before the sheet creates any folder from the name.
    if (!checkSiteName(site().name).report())
        return false;
    const bool renamed =
        !site().isNew && site().name.compare(site().keyName, Qt::CaseInsensitive) != 0;
    if ((renamed || site().isNew) && !site().checkNameFree().report()) {
        m_ui->urlEdit->setText(site().Url);
        return false;
    }
    if (site().isNew)
        site().FollowName();
    m_ui->urlEdit->setText(site().Url);
    return true;
}

bool CHostGenPage::eventFilter(QObject* watched, QEvent* event)
{
    // Focus that goes to a message box or another window is no leaving.
    const auto* focus =
        event->type() == QEvent::FocusOut ? static_cast<QFocusEvent*>(event) : nullptr;
    if (focus && focus->reason() != Qt::ActiveWindowFocusReason &&
        focus->reason() != Qt::PopupFocusReason) {
        if (watched == m_ui->hostNameEdit && !checkHostName())
            QTimer::singleShot(0, m_ui->hostNameEdit, qOverload<>(&QWidget::setFocus));
        else if (watched == m_ui->languageCombo)
            languageLeft();
        else if (watched == m_ui->languageFileCombo)
            languageFileLeft();
    }
    return SitePage::eventFilter(watched, event);
}

bool CHostGenPage::leave()
{
    if (!checkHostName()) {
        m_ui->hostNameEdit->setFocus();
        return false;
    }
    m_ui->urlEdit->setFocus();
    return true;
}

} // namespace meridan
