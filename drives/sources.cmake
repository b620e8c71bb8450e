list(APPEND LOGIC_SOURCES drives/drive_table.cpp drives/path_join.cpp)
list(APPEND WIN32_SOURCES drives/drive_survey.cpp)
