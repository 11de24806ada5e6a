# The window controls over Qt Widgets: forms, the control kinds the windows
# use, pictures, the modal driver and the common look. Included from
# platform/CMakeLists.txt after the services it builds on.
set(controls_dir ${CMAKE_CURRENT_SOURCE_DIR}/controls)

add_library(quendrel_controls STATIC
  ${controls_dir}/caption_text.cpp
  ${controls_dir}/check_box.cpp
  ${controls_dir}/colors.cpp
  ${controls_dir}/combo_box.cpp
  ${controls_dir}/command_button.cpp
  ${controls_dir}/control.cpp
  ${controls_dir}/dir_list_box.cpp
  ${controls_dir}/disc_pictures.cpp
  ${controls_dir}/drag_driver.cpp
  ${controls_dir}/drive_list_box.cpp
  ${controls_dir}/element.cpp
  ${controls_dir}/file_list_box.cpp
  ${controls_dir}/folder_path.cpp
  ${controls_dir}/form.cpp
  ${controls_dir}/frame.cpp
  ${controls_dir}/hscroll_bar.cpp
  ${controls_dir}/image.cpp
  ${controls_dir}/key_codes.cpp
  ${controls_dir}/label.cpp
  ${controls_dir}/line.cpp
  ${controls_dir}/list_box.cpp
  ${controls_dir}/list_control.cpp
  ${controls_dir}/look.cpp
  ${controls_dir}/menu.cpp
  ${controls_dir}/modal_driver.cpp
  ${controls_dir}/option_button.cpp
  ${controls_dir}/picture.cpp
  ${controls_dir}/picture_box.cpp
  ${controls_dir}/picture_budget.cpp
  ${controls_dir}/picture_cost.cpp
  ${controls_dir}/picture_view.cpp
  ${controls_dir}/render.cpp
  ${controls_dir}/screen.cpp
  ${controls_dir}/shape.cpp
  ${controls_dir}/ss_tab.cpp
  ${controls_dir}/text_box.cpp)
target_include_directories(quendrel_controls PUBLIC ${controls_dir})
target_link_libraries(quendrel_controls PUBLIC quendrel_platform quendrel_store Qt6::Widgets)
quendrel_warnings(quendrel_controls)

# The scripted modal driver for the window tests of every program. An object
# library, so that every test program linking it gets the guard against
# unscripted modal windows.
add_library(quendrel_controls_testing OBJECT
  ${controls_dir}/testing/held_drags.cpp
  ${controls_dir}/testing/picture_files.cpp
  ${controls_dir}/testing/scripted_modals.cpp
  ${controls_dir}/testing/window_input.cpp)
target_include_directories(quendrel_controls_testing PUBLIC ${controls_dir}/testing)
target_link_libraries(quendrel_controls_testing PUBLIC quendrel_controls GTest::gtest)
quendrel_warnings(quendrel_controls_testing)

add_executable(platform_controls_tests
  ${controls_dir}/tests/button_keys_test.cpp
  ${controls_dir}/tests/events_test.cpp
  ${controls_dir}/tests/file_lists_test.cpp
  ${controls_dir}/tests/label_test.cpp
  ${controls_dir}/tests/large_pictures_test.cpp
  ${controls_dir}/tests/geometry_test.cpp
  ${controls_dir}/tests/list_focus_test.cpp
  ${controls_dir}/tests/modal_order_test.cpp
  ${controls_dir}/tests/modal_test.cpp
  ${controls_dir}/tests/render_test.cpp
  ${controls_dir}/tests/window_owner_test.cpp)
target_link_libraries(platform_controls_tests PRIVATE
  quendrel_controls_testing quendrel_platform_testing quendrel_gui_test_main Qt6::Test)
quendrel_warnings(platform_controls_tests)
quendrel_test(platform_controls_tests)
