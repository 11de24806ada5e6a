# The platform services: message and input boxes, clocks and timers, App.Path
# and the temporary folder, starting programs, the file services (case-blind
# look-up, in-use test, forced delete), the event pump, the web host and the update check's download.
# Headers are included by their folder: "dialogs/dialog_service.h",
# "timing/timer.h", "system/process_launcher.h", "web/web_host.h".
add_library(quendrel_platform STATIC
  dialogs/dialog_service.cpp
  dialogs/window_owner.cpp
  system/app_paths.cpp
  system/event_pump.cpp
  system/file_services.cpp
  system/process_launcher.cpp
  system/window_style.cpp
  timing/clock.cpp
  timing/timer.cpp
  web/text_fetcher.cpp
  web/web_host.cpp
  web/web_page.cpp)
target_include_directories(quendrel_platform PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(quendrel_platform PUBLIC Qt6::Widgets Qt6::Network quendrel_store quendrel_runtime)
# The web host is build configuration (QUENDREL_WEB_HOST at the top level).
set_property(SOURCE web/web_host.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS "QUENDREL_CONFIGURED_WEB_HOST=\"${QUENDREL_WEB_HOST}\"")
quendrel_warnings(quendrel_platform)

# Fakes of the services for the tests of every window: scripted dialogs (and
# the real boxes, answered by keys), a virtual clock, a recording launcher and
# a scripted fetcher, each with a helper that installs it for one scope; and
# folders that cannot be changed.
add_library(quendrel_platform_testing STATIC
  dialogs/real_boxes.cpp
  dialogs/scripted_dialogs.cpp
  system/unchangeable_folder.cpp
  timing/virtual_clock.cpp)
target_link_libraries(quendrel_platform_testing PUBLIC quendrel_platform GTest::gtest Qt6::Test)
quendrel_warnings(quendrel_platform_testing)

add_executable(platform_services_tests
  dialogs/tests/dialog_service_test.cpp
  dialogs/tests/scripted_dialogs_test.cpp
  system/tests/file_services_test.cpp
  system/tests/process_launcher_test.cpp
  system/tests/system_paths_test.cpp
  system/tests/test_main.cpp
  timing/tests/timer_test.cpp
  timing/tests/virtual_clock_test.cpp
  web/tests/text_fetcher_test.cpp
  web/tests/web_host_test.cpp)
target_include_directories(platform_services_tests PRIVATE ${PROJECT_SOURCE_DIR}/store/tests)
target_link_libraries(platform_services_tests PRIVATE quendrel_platform_testing GTest::gtest Qt6::Network)
# A program that prints its App.Path, started by the tests through links.
add_executable(app_path_probe system/tests/app_path_probe.cpp)
target_link_libraries(app_path_probe PRIVATE quendrel_platform)
quendrel_warnings(app_path_probe)
add_dependencies(platform_services_tests app_path_probe)
target_compile_definitions(platform_services_tests PRIVATE
  "QUENDREL_EXPECTED_WEB_HOST=\"${QUENDREL_WEB_HOST}\""
  "APP_PATH_PROBE=\"$<TARGET_FILE:app_path_probe>\""
  "QUENDREL_PACKAGES_FILE=\"${PROJECT_SOURCE_DIR}/packages.txt\"")
quendrel_warnings(platform_services_tests)
quendrel_test(platform_services_tests)

# main() for the tests of windows: a QApplication on the offscreen platform.
add_library(quendrel_gui_test_main STATIC testing/gui_test_main.cpp)
target_link_libraries(quendrel_gui_test_main PUBLIC Qt6::Widgets GTest::gtest)
