#include "hostlogpage.h"

#include "analog/variables.h"
#include "store/settingsstore.h"
#include "store/siterecord.h"
#include "store/siterules.h"
#include "store/valuenames.h"
#include "store/variablenames.h"
#include "ui_hostlogpage.h"
#include "util/messages.h"
#include "util/texts.h"

#include <QButtonGroup>

using namespace Qt::StringLiterals;

namespace meridan {

CHostLogPage::CHostLogPage(QWidget* parent)
    : SitePage(parent), m_ui(std::make_unique<Ui::CHostLogPage>()),
      m_periodicity(new QButtonGroup(this))
{
    m_ui->setupUi(this);
    m_periodicity->addButton(m_ui->hourlyLogsRadio, kLogHourly);
    m_periodicity->addButton(m_ui->dailyLogsRadio, kLogDaily);
    m_periodicity->addButton(m_ui->weeklyLogsRadio, kLogWeekly);
    m_periodicity->addButton(m_ui->monthlyLogsRadio, kLogMonthly);
    m_periodicity->addButton(m_ui->numberedLogsRadio, kLogNumbered);
    connect(m_ui->namingSchemeEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        const QString scheme = trimmedField(text);
        if (scheme == site().LogNameStruct)
            return;
        site().LogNameStruct = scheme;
        emit modified();
    });
    connect(m_periodicity, &QButtonGroup::idClicked, this, [this](int id) {
        if (site().LogPeriodicity == quint32(id))
            return;
        site().LogPeriodicity = quint32(id);
        emit modified();
    });
}

CHostLogPage::~CHostLogPage() = default;

void CHostLogPage::load()
{
    if (QAbstractButton* button = m_periodicity->button(int(site().LogPeriodicity)))
        button->setChecked(true);
    const QSignalBlocker quiet(m_ui->namingSchemeEdit);
    m_ui->namingSchemeEdit->setText(site().LogNameStruct);
}

bool CHostLogPage::apply()
{
    QString scheme = trimmedField(m_ui->namingSchemeEdit->text());
    const int checked = m_periodicity->checkedId();
    if (!acceptValue(values::LogNameStruct, &scheme).report())
        return false;
    if (!CheckNamingScheme(scheme, checked < 0 ? 0 : quint32(checked)).report())
        return false;
    m_ui->namingSchemeEdit->setText(scheme);
    site().LogNameStruct = scheme;
    site().LogPeriodicity = quint32(checked < 0 ? 0 : checked);
    return true;
}

} // namespace meridan
