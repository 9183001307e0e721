#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace tavolin {

class TableObject;

// The About window: product, version, the property's installation and the workstation.
class Tf_About : public QWidget {
    Q_OBJECT
public:
    Tf_About();

    QLabel* LProduct;
    QLabel* LVersion;
    QLabel* LHotelName;
    QLabel* LInstallationDate;
    QLabel* LLastUpdated;
    QLabel* LComputerID;
    QPushButton* BtnOk;

    // Fills the property lines from the current TLicenses row and the workstation line.
    void showProperty(const TableObject& licenses);

Q_SIGNALS:
    void closed();

private:
    void BtnOkClick();
};

}  // namespace tavolin
