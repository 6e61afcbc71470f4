# Compile options shared by every target of our own code.
add_library(vorsela_options INTERFACE)
target_compile_options(vorsela_options INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(vorsela_options INTERFACE QT_NO_KEYWORDS)
if(VORSELA_WERROR)
  target_compile_options(vorsela_options INTERFACE -Werror)
endif()
if(VORSELA_SANITIZE)
  target_compile_options(vorsela_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(vorsela_options INTERFACE -fsanitize=address,undefined)
endif()
if(VORSELA_FUZZ)
  # Coverage for libFuzzer in all of our code; the fuzz targets link the fuzzer itself.
  target_compile_options(vorsela_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(vorsela_options INTERFACE -fsanitize=address,undefined)
endif()

# A library of our own whose headers live in FOLDER (relative to the source root) and are
# included as "FOLDER/Name.h". Each library gets an include root of its own in the build
# tree that holds only its folder, so a file sees the headers of exactly the libraries it
# links: an include across the layering rules fails to compile instead of slipping through.
function(vorsela_library name folder)
  add_library(${name} STATIC ${ARGN})
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  cmake_path(GET folder PARENT_PATH parent)
  file(MAKE_DIRECTORY ${root}/${parent})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  target_include_directories(${name} PUBLIC ${root})
  target_link_libraries(${name} PRIVATE vorsela_options)
endfunction()
