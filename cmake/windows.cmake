# Solvarine.scr: the Win32 platform and the entry point around the portable core.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# Statically linked, so that the screen saver needs nothing but Windows' own DLLs.
set(SOLVARINE_STATIC_LINK -static -static-libgcc -static-libstdc++)

target_compile_definitions(solvarine_core PUBLIC UNICODE _UNICODE)

add_library(solvarine_win32 STATIC
  platform/win32/button.cpp
  platform/win32/child_control.cpp
  platform/win32/dialog_window.cpp
  platform/win32/event_loop.cpp
  platform/win32/label.cpp
  platform/win32/message_window.cpp
  platform/win32/persistent_image.cpp
  platform/win32/picture_box.cpp
  platform/win32/registry_settings_store.cpp
  platform/win32/screen_window.cpp
  platform/win32/slider.cpp
  platform/win32/text.cpp
  platform/win32/timer.cpp
  platform/win32/top_level_window.cpp
  platform/win32/wakeup.cpp
  platform/win32/wic_picture_loader.cpp
  platform/win32/wic_scaled_decode.cpp
  platform/win32/win32_file_system.cpp
  platform/win32/win32_gdi.cpp
  platform/win32/win32_platform.cpp
  platform/win32/win32_ui.cpp)
target_compile_definitions(solvarine_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
target_link_libraries(solvarine_win32
  PUBLIC solvarine_core windowscodecs ole32 oleaut32 uuid comctl32 comdlg32 shell32 gdi32 user32
         advapi32 psapi
  PRIVATE solvarine_warnings)

# The project version is the only one: Windows wants four numbers where it has fewer.
set(SOLVARINE_VERSION_QUAD ${PROJECT_VERSION})
foreach(part MINOR PATCH TWEAK)
  if(PROJECT_VERSION_${part} STREQUAL "")
    string(APPEND SOLVARINE_VERSION_QUAD ".0")
  endif()
endforeach()
string(REPLACE "." ", " SOLVARINE_VERSION_NUMBERS ${SOLVARINE_VERSION_QUAD})
set(generated ${CMAKE_CURRENT_BINARY_DIR}/generated)
file(CONFIGURE OUTPUT ${generated}/solvarine_version.h @ONLY CONTENT [[
#pragma once
#define SOLVARINE_VERSION_NUMBERS @SOLVARINE_VERSION_NUMBERS@
#define SOLVARINE_VERSION_QUAD "@SOLVARINE_VERSION_QUAD@"
]])
configure_file(assets/solvarine.manifest.in ${generated}/solvarine.manifest @ONLY)

add_executable(Solvarine WIN32 app/win_main.cpp assets/solvarine.rc)
# windres looks up the files an .rc names in its include folders too.
target_include_directories(Solvarine PRIVATE ${generated})
set_source_files_properties(assets/solvarine.rc PROPERTIES OBJECT_DEPENDS
  "${generated}/solvarine_version.h;${generated}/solvarine.manifest")
set_target_properties(Solvarine PROPERTIES SUFFIX ".scr")
target_link_libraries(Solvarine PRIVATE solvarine_win32 solvarine_warnings)
target_link_options(Solvarine PRIVATE -municode ${SOLVARINE_STATIC_LINK} -s)
# The default photo travels next to the screen saver.
add_custom_command(TARGET Solvarine POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different
          ${CMAKE_CURRENT_SOURCE_DIR}/assets/samples/sample1.jpg $<TARGET_FILE_DIR:Solvarine>/sample1.jpg)

add_subdirectory(packaging)
