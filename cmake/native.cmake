# The portable core on the build machine, with the sanitizers, and its tests.
set(sanitize -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
target_compile_options(quintarel_core PRIVATE ${sanitize} -g)
target_link_options(quintarel_core PUBLIC ${sanitize})

enable_testing()
find_package(GTest REQUIRED)
file(GLOB native_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp
     ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
add_executable(native_tests ${native_tests})
target_compile_options(native_tests PRIVATE ${sanitize} -g)
target_include_directories(native_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(native_tests PRIVATE quintarel_core GTest::gtest GTest::gtest_main)
add_test(NAME native_tests COMMAND native_tests)
