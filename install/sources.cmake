list(APPEND LOGIC_SOURCES install/path_rules.cpp install/shortcut_rules.cpp install/component_rules.cpp)
list(APPEND WIN32_SOURCES install/file_lookup.cpp install/game_launch.cpp install/program_start.cpp
                          install/setup_run.cpp install/component_offers.cpp install/child_watch.cpp
                          install/uninstall.cpp install/shortcuts.cpp)
