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

// Each keystroke: a text that reads as a URL is stored; one that reads as a
// URL with "ftp://" in front gets it. An emptied field clears the URL.
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
    if (!url) {
        m_ui->ftpUrlEdit->setFocus();
        return;
    }
    if (*url != trimmedField(text)) { // "ftp://" was put in front
        const int cursor = m_ui->ftpUrlEdit->cursorPosition();
        m_ui->ftpUrlEdit->setText(*url);
        m_ui->ftpUrlEdit->setCursorPosition(cursor + int(url->size() - trimmedField(text).size()));
    }
    site().FTPUrl = *url;
    emit modified();
}

} // namespace meridan
