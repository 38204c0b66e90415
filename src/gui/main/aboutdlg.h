#pragma once

#include <QDialog>

namespace meridan {

class CHypertexte;

// The About box: the program's version and three links.
class AboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDlg(QWidget* parent = nullptr);
};

} // namespace meridan
