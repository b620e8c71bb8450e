list(APPEND LOGIC_SOURCES settings/launcher_settings.cpp settings/settings_values.cpp)
list(APPEND WIN32_SOURCES settings/settings_store.cpp)
