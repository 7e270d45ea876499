find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB FAKE_SOURCES CONFIGURE_DEPENDS tests/fakes/*.cpp)
file(GLOB UNIT_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_SOURCES} ${FAKE_SOURCES})
target_link_libraries(unit_tests PRIVATE solvarine_core GTest::gtest GTest::gtest_main)
target_include_directories(unit_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
gtest_discover_tests(unit_tests PROPERTIES LABELS unit)
