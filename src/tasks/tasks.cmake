# The task board of the main window and its dialogs.
