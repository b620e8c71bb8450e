list(APPEND LOGIC_SOURCES common/message_texts.cpp common/text_format.cpp common/string_functions.cpp)
list(APPEND WIN32_SOURCES common/message_catalogue.cpp common/module_instance.cpp common/child_font.cpp
                          common/system_libraries.cpp)
# In the launcher these loops are memcpy, memset and the rest (common/c_library.cpp): the
# compiler must not turn them into calls of those functions.
set_source_files_properties(common/string_functions.cpp PROPERTIES COMPILE_OPTIONS -fno-tree-loop-distribute-patterns)
# The registry strings' rules, and the one way into the registry.
list(APPEND LOGIC_SOURCES common/registry_text.cpp)
list(APPEND WIN32_SOURCES common/registry_access.cpp)
