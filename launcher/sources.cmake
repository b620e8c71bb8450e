list(APPEND LOGIC_SOURCES launcher/menu_layout.cpp launcher/readme_rules.cpp)
list(APPEND WIN32_SOURCES launcher/startup.cpp launcher/title_window.cpp launcher/title_render.cpp
                          launcher/readme_viewer.cpp)
