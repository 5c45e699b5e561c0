# libFuzzer targets of the portable core, built with clang (-DQUINTAREL_FUZZ=ON): every
# tests/fuzz/<name>.cpp is one program fuzz_<name>, seeded from tests/fuzz/corpus/<name>/.
set(fuzz_sanitize -fsanitize=address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined)
target_compile_options(quintarel_core PRIVATE ${fuzz_sanitize} -fsanitize=fuzzer-no-link -g)
target_link_options(quintarel_core PUBLIC ${fuzz_sanitize})

# The in-memory profile store of tests/support, for targets that load from a profile.
file(GLOB fuzz_support CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
add_library(fuzz_support STATIC ${fuzz_support})
target_compile_options(fuzz_support PRIVATE ${fuzz_sanitize} -fsanitize=fuzzer-no-link -g)
target_link_libraries(fuzz_support PUBLIC quintarel_core)

file(GLOB fuzz_targets CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
foreach(fuzz_source ${fuzz_targets})
  get_filename_component(fuzz_name ${fuzz_source} NAME_WE)
  add_executable(fuzz_${fuzz_name} ${fuzz_source})
  target_compile_options(fuzz_${fuzz_name} PRIVATE ${fuzz_sanitize} -fsanitize=fuzzer -g)
  target_link_options(fuzz_${fuzz_name} PRIVATE -fsanitize=fuzzer)
  target_include_directories(fuzz_${fuzz_name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(fuzz_${fuzz_name} PRIVATE fuzz_support quintarel_core)
endforeach()
