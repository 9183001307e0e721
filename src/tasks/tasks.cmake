# The task board of the main window and its dialogs.
target_sources(tavolin_ui PRIVATE
    tasks/TaskBoard.cpp tasks/TaskBoard.h
    tasks/TaskRecords.cpp tasks/TaskRecords.h
    tasks/TaskWidgets.cpp tasks/TaskWidgets.h
    tasks/fMain_New_Task.cpp tasks/fMain_New_Task.h
    tasks/fMain_Task_List.cpp tasks/fMain_Task_List.h
    tasks/fMain_Task_Print_Email.cpp tasks/fMain_Task_Print_Email.h
    tasks/fMain_Task_Reports.cpp tasks/fMain_Task_Reports.h
)
