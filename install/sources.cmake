list(APPEND LOGIC_SOURCES install/path_rules.cpp install/drive_table.cpp)
list(APPEND WIN32_SOURCES install/drive_survey.cpp install/file_lookup.cpp install/game_launch.cpp
                          install/program_start.cpp)
list(APPEND WIN32_SOURCES install/setup_run.cpp install/component_offers.cpp install/child_watch.cpp install/uninstall.cpp
                          install/shortcuts.cpp)
list(APPEND LOGIC_SOURCES install/shortcut_rules.cpp)
list(APPEND LOGIC_SOURCES install/component_rules.cpp)
