enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# Statically linked, so that the screen saver needs nothing but Windows' own DLLs.
set(SOLVARINE_STATIC_LINK -static -static-libgcc -static-libstdc++)

target_compile_definitions(solvarine_core PUBLIC UNICODE _UNICODE)

file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS platform/win32/*.cpp)
add_library(solvarine_win32 STATIC ${WIN32_SOURCES})
target_compile_definitions(solvarine_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
target_link_libraries(solvarine_win32 PUBLIC solvarine_core
  windowscodecs ole32 oleaut32 uuid comctl32 comdlg32 shell32 gdi32 user32 advapi32 psapi)

add_executable(Solvarine WIN32 app/win_main.cpp assets/solvarine.rc)
set_target_properties(Solvarine PROPERTIES SUFFIX ".scr")
target_link_libraries(Solvarine PRIVATE solvarine_win32)
target_link_options(Solvarine PRIVATE -municode ${SOLVARINE_STATIC_LINK} -s)
# The default photo travels next to the screen saver.
add_custom_command(TARGET Solvarine POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different
          ${CMAKE_CURRENT_SOURCE_DIR}/assets/samples/sample1.jpg $<TARGET_FILE_DIR:Solvarine>/sample1.jpg)

# GoogleTest, built for Windows from Debian's sources.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

file(GLOB WIN32_TEST_SOURCES CONFIGURE_DEPENDS tests/win32/*.cpp)
add_executable(win32_tests ${WIN32_TEST_SOURCES})
target_link_libraries(win32_tests PRIVATE solvarine_win32 gtest gtest_main)
target_link_options(win32_tests PRIVATE -municode ${SOLVARINE_STATIC_LINK})
gtest_discover_tests(win32_tests PROPERTIES LABELS win32 DISCOVERY_TIMEOUT 120)

add_test(NAME e2e
  COMMAND /usr/bin/python3 -m pytest -q -p no:cacheprovider --basetemp=${CMAKE_BINARY_DIR}/e2e-tmp
          ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e)
set_tests_properties(e2e PROPERTIES LABELS e2e TIMEOUT 1500
  ENVIRONMENT "SOLVARINE_SCR=$<TARGET_FILE:Solvarine>")

# Small Windows helper programs the end-to-end tests run beside the screen saver.
file(GLOB E2E_TOOL_SOURCES CONFIGURE_DEPENDS tests/e2e/tools/*.cpp)
foreach(tool_source ${E2E_TOOL_SOURCES})
  get_filename_component(tool_name ${tool_source} NAME_WE)
  add_executable(${tool_name} WIN32 ${tool_source})
  target_link_options(${tool_name} PRIVATE -municode ${SOLVARINE_STATIC_LINK})
  target_link_libraries(${tool_name} PRIVATE user32 gdi32)
  add_dependencies(Solvarine ${tool_name})
endforeach()

# Speed and peak memory of a tick's picture path (scripts/benchmark runs it); not a test.
add_executable(tick_benchmark bench/tick_benchmark.cpp)
target_link_libraries(tick_benchmark PRIVATE solvarine_win32)
target_link_options(tick_benchmark PRIVATE -municode ${SOLVARINE_STATIC_LINK})
