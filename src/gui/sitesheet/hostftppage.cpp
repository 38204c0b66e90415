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
    connect(m_ui->ftpUserEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (text == site().FTPUser)
            return;
        site().FTPUser = text;
        emit modified();
    });
    connect(m_ui->ftpPasswordEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (text == site().FTPAccess)
            return;
        site().FTPAccess = text;
        emit modified();
    });
}

CHostFtpPage::~CHostFtpPage() = default;

void CHostFtpPage::load()
{
    m_ui->ftpUrlEdit->setText(site().FTPUrl);
    m_ui->ftpUserEdit->setText(site().FTPUser);
    m_ui->ftpPasswordEdit->setText(site().FTPAccess);
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
