#include "cashier/fCashier_PettyCashSubmitted.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "data/DataModule.h"

namespace tavolin {

namespace {
QString s(const char* text) {
    return QString::fromUtf8(text);
}
}  // namespace

Tf_Cashier_PettyCashSubmitted::Tf_Cashier_PettyCashSubmitted() : CashierDialog(true) {
    setObjectName(s("f_Cashier_PettyCashSubmitted"));
    setWindowTitle(s("Petty Cash Submitted Details"));
    DBGReport = new DbGrid(this);
    DBGReport->setObjectName(s("DBGReport"));
    DBGReport->setTable(DM->TPaidPetty_Report,
                        {{s("AddDate"), s("Date"), 76},
                         {s("AddTime"), s("Time"), 66},
                         {s("AddUserID"), s("#"), 34},
                         {s("AddUserName"), s("User ID"), 80},
                         {s("Department"), s("Department"), 110},
                         {s("Employee"), s("Employee"), 120},
                         {s("Amount"), s("Amount"), -1, Qt::AlignRight | Qt::AlignVCenter}});
    BtnClose = new QPushButton(s("Close"), this);
    BtnClose->setObjectName(s("BtnClose"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnClose);
    auto* root = new QVBoxLayout(this);
    root->addWidget(DBGReport);
    root->addLayout(buttons);
    connect(BtnClose, &QPushButton::clicked, this, &QWidget::close);
    resize(620, 320);
}

void Tf_Cashier_PettyCashSubmitted::leaving() {
    if (DM)
        DM->TPaidPetty_Report->close();
}

}  // namespace tavolin
