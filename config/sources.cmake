list(APPEND LOGIC_SOURCES config/display_drivers.cpp)
list(APPEND WIN32_SOURCES config/card_detection.cpp config/configuration_sheet.cpp)
