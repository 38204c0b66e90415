#include "hostftppage.h"

#include "store/passwordcipher.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "ui_hostftppage.h"

namespace meridan {

CHostFtpPage::CHostFtpPage(QWidget* parent)
    : SitePage(parent), m_ui(std::make_unique<Ui::CHostFtpPage>())
{
    m_ui->setupUi(this);
    m_ui->ftpPasswordEdit->setMaxLength(kPasswordMaxBytes);
    connect(m_ui->ftpUrlEdit, &QLineEdit::textEdited, this, &CHostFtpPage::urlChanged);
    // The stored form shows once the typing is done, never under the cursor.
    connect(m_ui->ftpUrlEdit, &QLineEdit::editingFinished, this, [this] {
        if (!site().FTPUrl.isEmpty() && m_ui->ftpUrlEdit->text() != site().FTPUrl &&
            acceptedFtpUrl(m_ui->ftpUrlEdit->text()) == site().FTPUrl)
            m_ui->ftpUrlEdit->setText(site().FTPUrl);
    });
    bindText(m_ui->ftpUserEdit, &SiteRecord::FTPUser);
    bindText(m_ui->ftpPasswordEdit, &SiteRecord::FTPAccess);
    connect(m_ui->requireTlsCheckBox, &QCheckBox::toggled, this, [this](bool on) {
        if (quint32(on) == site().FTPRequireTLS)
            return;
        site().FTPRequireTLS = on;
        emit modified();
    });
    // Stored once it reads as a fingerprint; emptied, it trusts the authorities again.
    connect(m_ui->certificateEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString pin = text.trimmed().isEmpty() ? QString() : normalizedCertificatePin(text);
        if ((pin.isEmpty() && !text.trimmed().isEmpty()) || pin == site().FTPCertificate)
            return;
        site().FTPCertificate = pin;
        emit modified();
    });
}

CHostFtpPage::~CHostFtpPage() = default;

void CHostFtpPage::load()
{
    m_ui->ftpUrlEdit->setText(site().FTPUrl);
    m_ui->ftpUserEdit->setText(site().FTPUser);
    m_ui->ftpPasswordEdit->setText(site().FTPAccess);
    m_ui->requireTlsCheckBox->setChecked(site().FTPRequireTLS != 0);
    m_ui->certificateEdit->setText(site().FTPCertificate);
}

// Each keystroke: a text that reads as an address is stored in its stored
// form; the field keeps what was typed. An emptied field clears the URL.
void CHostFtpPage::urlChanged(const QString& text)
{
    if (trimmedField(text).isEmpty()) {
        if (!site().FTPUrl.isEmpty()) {
            site().FTPUrl.clear();
            emit modified();
        }
        return;
    }
    const std::optional<QString> url = acceptedFtpUrl(text);
    if (!url || *url == site().FTPUrl)
        return;
    site().FTPUrl = *url;
    emit modified();
}

} // namespace meridan
