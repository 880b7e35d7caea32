# The plug-in's layers, lowest first: HuxLib, host, grid and warp, effect, ui,
# then the plug-in's wiring. Each layer is one library whose include root
# holds only its own folders (as links into the source tree), so a source
# file sees the headers of its own layer and of the layers it links, and an
# include that runs back up a layer fails to compile.

# squelm_sources(<out> <dir>...): the .cpp files of each directory, plus its
# win32/ or native/ subdirectory for the platform being built.
function(squelm_sources out)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB common CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    if(WIN32)
      file(GLOB platform CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/win32/*.cpp)
    else()
      file(GLOB platform CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/native/*.cpp)
    endif()
    list(APPEND files ${common} ${platform})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# squelm_include_root(<target> <PUBLIC|PRIVATE|INTERFACE> <folder>...): gives
# the target an include root in the build tree that holds a link to each
# top-level source folder named, so "<folder>/File.h" resolves and nothing
# else of the source tree does.
function(squelm_include_root target scope)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${target})
  foreach(folder IN LISTS ARGN)
    if(NOT EXISTS ${root}/${folder})
      file(MAKE_DIRECTORY ${root})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()

# squelm_layer(<name> [OBJECT] FOLDER <top-level folder> DIRS <dir>... [LINKS <target>...]):
# a static library of the directories' sources (an object library with
# OBJECT: always linked whole), its headers reached as "<folder>/...",
# linking the layers below it publicly.
function(squelm_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 layer "OBJECT" "FOLDER" "DIRS;LINKS")
  squelm_sources(files ${layer_DIRS})
  if(layer_OBJECT)
    add_library(${name} OBJECT ${files})
  else()
    add_library(${name} STATIC ${files})
  endif()
  squelm_include_root(${name} PUBLIC ${layer_FOLDER})
  target_link_libraries(${name} PUBLIC ${layer_LINKS})
  if(WIN32)
    # Debug information for the separate file kept beside the shipped library.
    target_compile_options(${name} PRIVATE -g)
  endif()
endfunction()
