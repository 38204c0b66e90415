#include "prefsdlg.h"

#include "main/filedialogs.h"
#include "main/helppage.h"
#include "store/preferences.h"
#include "ui_prefsdlg.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace meridan {

CPrefsDlg::CPrefsDlg(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::CPrefsDlg>())
{
    m_ui->setupUi(this);
    addHelpKey(this);
    const Preferences prefs = Preferences::load();
    m_ui->analogPathEdit->setText(prefs.analogPath.isEmpty() ? Preferences::proposedAnalogPath()
                                                             : prefs.analogPath);
    m_ui->textEditorEdit->setText(prefs.textEditor.isEmpty() ? Preferences::defaultTextEditor()
                                                             : prefs.textEditor);
    m_ui->ascendingCheckBox->setChecked(prefs.cfgAscending);
    m_ui->parallelSpinBox->setMaximum(Preferences::kMaxParallelBuilds);
    m_ui->parallelSpinBox->setValue(prefs.parallelBuilds);
    m_ui->overviewFolderEdit->setText(prefs.overviewFolder);
    connect(m_ui->dialogButtons, &QDialogButtonBox::accepted, this, &CPrefsDlg::accept);
    connect(m_ui->browseAnalogButton, &QPushButton::clicked, this,
            [this] { browse(m_ui->analogPathEdit); });
    connect(m_ui->browseEditorButton, &QPushButton::clicked, this,
            [this] { browse(m_ui->textEditorEdit); });
    connect(m_ui->browseOverviewButton, &QPushButton::clicked, this, [this] {
        const QString chosen =
            FileDialogs::existingFolder(this, QString(), m_ui->overviewFolderEdit->text());
        if (!chosen.isEmpty())
            m_ui->overviewFolderEdit->setText(chosen);
    });
}

CPrefsDlg::~CPrefsDlg() = default;

void CPrefsDlg::browse(QLineEdit* edit)
{
    const QString chosen =
        FileDialogs::openFile(this, QString(), edit->text(), tr("Executables (*);;All files (*)"));
    if (!chosen.isEmpty())
        edit->setText(chosen);
}

void CPrefsDlg::accept()
{
    Preferences prefs = Preferences::load(); // what the dialog does not show stays
    prefs.analogPath = m_ui->analogPathEdit->text();
    prefs.textEditor = m_ui->textEditorEdit->text();
    prefs.cfgAscending = m_ui->ascendingCheckBox->isChecked();
    prefs.parallelBuilds = m_ui->parallelSpinBox->value();
    const QString overview = m_ui->overviewFolderEdit->text().trimmed();
    prefs.overviewFolder = overview.isEmpty() ? overview : QDir(overview).absolutePath();
    if (!prefs.save().report())
        return; // the dialog stays, with what was typed
    QDialog::accept();
}

} // namespace meridan
