#pragma once

#include <QDialog>
#include <memory>

class QLineEdit;

namespace Ui {
class CPrefsDlg;
}

namespace meridan {

// "Preferences": where Analog lies, the text editor, and the order of the
// report list. Nothing is stored unless the user confirms with OK.
class CPrefsDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CPrefsDlg(QWidget* parent = nullptr);
    ~CPrefsDlg() override;

    void accept() override;

private:
    void browse(QLineEdit* edit);

    std::unique_ptr<Ui::CPrefsDlg> m_ui;
};

} // namespace meridan
