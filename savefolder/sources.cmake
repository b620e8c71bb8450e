list(APPEND LOGIC_SOURCES savefolder/folder_rules.cpp)
list(APPEND WIN32_SOURCES savefolder/save_folder_dialog.cpp savefolder/folder_tree.cpp
                          savefolder/folder_operations.cpp savefolder/new_folder_dialog.cpp)
