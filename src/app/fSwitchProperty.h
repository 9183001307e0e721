#pragma once

#include <QPushButton>
#include <QWidget>

#include "forms/DbGrid.h"

namespace tavolin {

// Lists the properties one may switch to; Select makes the chosen one current.
class Tf_SwitchProperty : public QWidget {
    Q_OBJECT
public:
    explicit Tf_SwitchProperty(TableObject* licenses);

    DbGrid* DBGLicenses;
    QPushButton* BtnSelect;
    QPushButton* BtnExit;

Q_SIGNALS:
    void selected();
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace tavolin
