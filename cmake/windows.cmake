# The two Windows programs, and the Windows tests that run under Wine.
add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800 NOMINMAX STRICT)
if(NOT MSVC)
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Small programs: unused code goes, symbols go.
  add_compile_options(-ffunction-sections -fdata-sections)
  add_link_options($<$<CONFIG:Release>:-s> -Wl,--gc-sections)
endif()

set(win_libraries comctl32 shell32 shlwapi ole32 oleaut32 uuid comdlg32 gdi32 user32 advapi32
    psapi version)

# Everything of the launcher but its entry point, so the tests link the same code.
set(launcher_sources ${win_sources})
list(FILTER launcher_sources EXCLUDE REGEX "/app/winmain_win\\.cpp$")
add_library(quintarel_win STATIC ${launcher_sources})
target_link_libraries(quintarel_win PUBLIC quintarel_core ${win_libraries})

set(launcher_rc ${CMAKE_SOURCE_DIR}/resources/quintarel.rc)
# windres reports no dependencies: a change to an included dialog template or icon must still
# rebuild the resources.
file(GLOB resource_parts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc
     ${CMAKE_SOURCE_DIR}/resources/*.h ${CMAKE_SOURCE_DIR}/resources/*.ico
     ${CMAKE_SOURCE_DIR}/resources/*.manifest)
set_source_files_properties(${launcher_rc} ${CMAKE_SOURCE_DIR}/resources/installer.rc
                            PROPERTIES OBJECT_DEPENDS "${resource_parts}")
add_executable(quintarel WIN32 ${CMAKE_SOURCE_DIR}/app/winmain_win.cpp ${launcher_rc})
target_link_libraries(quintarel PRIVATE quintarel_win)

file(GLOB common_win_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/common/*_win.cpp)
# Everything of the installer but its entry point, for the program and for its Windows test.
# Of the framework it uses the control helpers, the system's error texts and system libraries.
set(installer_parts ${installer_win_sources})
list(FILTER installer_parts EXCLUDE REGEX "/installer/installer_main_win\\.cpp$")
add_library(installer_win STATIC ${installer_parts})
target_link_libraries(installer_win PUBLIC quintarel_core ${win_libraries})
add_executable(installer WIN32 ${CMAKE_SOURCE_DIR}/installer/installer_main_win.cpp
               ${common_win_sources}
               ${CMAKE_SOURCE_DIR}/framework/controls_win.cpp
               ${CMAKE_SOURCE_DIR}/framework/system_error_win.cpp
               ${CMAKE_SOURCE_DIR}/framework/system_library_win.cpp
               ${CMAKE_SOURCE_DIR}/resources/installer.rc)
target_link_libraries(installer PRIVATE installer_win quintarel_core ${win_libraries})

# Windows tests: one executable per file of tests/win, each one ctest entry, since every Wine
# process start costs time.
# GoogleTest from its sources, where Debian keeps them; a build elsewhere (MSVC on Windows)
# points QUINTAREL_GTEST_DIR at a GoogleTest source tree, or builds the programs without tests.
set(QUINTAREL_GTEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows tests")
if(EXISTS ${QUINTAREL_GTEST_DIR}/CMakeLists.txt)
  enable_testing()
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QUINTAREL_GTEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  file(GLOB win_test_support CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/support/*.cpp)
  add_library(win_test_support STATIC ${win_test_support})
  target_link_libraries(win_test_support PUBLIC quintarel_win gtest)
  target_include_directories(win_test_support PUBLIC ${CMAKE_SOURCE_DIR})

  file(GLOB win_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*_test.cpp)
  foreach(test_source ${win_tests})
    get_filename_component(test_name ${test_source} NAME_WE)
    add_executable(${test_name} ${test_source} ${launcher_rc})
    target_link_libraries(${test_name} PRIVATE win_test_support gtest_main)
    if(test_name MATCHES "^installer")
      target_link_libraries(${test_name} PRIVATE installer_win)
    endif()
    add_test(NAME ${test_name} COMMAND ${test_name})
    set_tests_properties(${test_name} PROPERTIES TIMEOUT 300)
  endforeach()
else()
  message(STATUS "No GoogleTest in ${QUINTAREL_GTEST_DIR}: the Windows tests are not built")
endif()

# Helper programs the tests start: a driver that works other windows from outside, and a child
# that records how it was started.
file(GLOB tool_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/tools/*.cpp)
foreach(tool_source ${tool_sources})
  get_filename_component(tool_name ${tool_source} NAME_WE)
  # The child is a GUI program, as the programs a launcher starts usually are.
  if(tool_name STREQUAL "qchild")
    add_executable(${tool_name} WIN32 ${tool_source})
  else()
    add_executable(${tool_name} ${tool_source})
  endif()
  target_link_libraries(${tool_name} PRIVATE ${win_libraries})
endforeach()

# Benchmarks: programs with the launcher's code and resources, run by scripts/bench-*.
file(GLOB bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/*.cpp)
# A *_floor program is what the launcher is measured against: a GUI program of nothing ours.
foreach(bench_source ${bench_sources})
  get_filename_component(bench_name ${bench_source} NAME_WE)
  if(bench_name MATCHES "_floor$")
    add_executable(${bench_name} WIN32 ${bench_source})
    target_link_libraries(${bench_name} PRIVATE ${win_libraries})
  else()
    add_executable(${bench_name} ${bench_source} ${launcher_rc})
    target_link_libraries(${bench_name} PRIVATE quintarel_win)
  endif()
endforeach()
