list(APPEND LOGIC_SOURCES launcher/menu_layout.cpp launcher/message_texts.cpp launcher/readme_rules.cpp
                          launcher/text_format.cpp)
list(APPEND WIN32_SOURCES launcher/startup.cpp launcher/child_watch.cpp launcher/title_window.cpp
                          launcher/title_render.cpp launcher/readme_viewer.cpp
                          launcher/message_catalogue.cpp)
