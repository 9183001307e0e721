# The revenue dashboard and the statistics updates.
target_sources(tavolin_core PRIVATE
    revenue/RevenueFigures.cpp revenue/RevenueFigures.h
)
target_sources(tavolin_ui PRIVATE
    revenue/OneCommit.h
    revenue/fMessageBox.cpp revenue/fMessageBox.h
    revenue/fReal_Revenue.cpp revenue/fReal_Revenue.h
    revenue/fReal_Revenue_Update.cpp revenue/fReal_Revenue_Update.h
    revenue/fReal_Revenue_Update_Single_Day.cpp revenue/fReal_Revenue_Update_Single_Day.h
)
