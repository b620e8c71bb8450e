list(APPEND LOGIC_SOURCES config/display_drivers.cpp config/screen_modes.cpp config/feature_options.cpp
                          config/future_values.cpp)
list(APPEND WIN32_SOURCES config/card_detection.cpp config/configuration_sheet.cpp
                          config/screen_adjustment_page.cpp config/features_page.cpp
                          config/future_support_page.cpp)
