list(APPEND WIN32_SOURCES savefolder/save_folder_dialog.cpp)
