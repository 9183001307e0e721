# The cashier register, its dialogs and histories.
target_sources(tavolin_core PRIVATE
    cashier/CashierCount.cpp cashier/CashierCount.h
)
target_sources(tavolin_ui PRIVATE
    cashier/CashierAreas.cpp cashier/CashierAreas.h
    cashier/CashierDialog.h
    cashier/fCashier.cpp cashier/fCashier.h
    cashier/fCashierHistory.cpp cashier/fCashierHistory.h
    cashier/fCashierPaidPettyHistory.cpp cashier/fCashierPaidPettyHistory.h
    cashier/fCashier_Misc.cpp cashier/fCashier_Misc.h
    cashier/fCashier_Move.cpp cashier/fCashier_Move.h
    cashier/fCashier_PettyCashAdd.cpp cashier/fCashier_PettyCashAdd.h
    cashier/fCashier_PettyCashSubmitted.cpp cashier/fCashier_PettyCashSubmitted.h
)
