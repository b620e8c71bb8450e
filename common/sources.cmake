list(APPEND LOGIC_SOURCES common/message_texts.cpp common/text_format.cpp)
list(APPEND WIN32_SOURCES common/message_catalogue.cpp common/module_instance.cpp common/child_font.cpp)
