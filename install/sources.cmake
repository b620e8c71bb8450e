list(APPEND WIN32_SOURCES install/drive_survey.cpp install/game_launch.cpp install/setup_run.cpp
                          install/uninstall.cpp install/shortcuts.cpp)
