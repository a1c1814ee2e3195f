# Folder conventions. In every subsystem folder, files ending in _win.cpp are
# the Win32 glue and everything else is portable: the portable files make the
# folder's library tolvex_<folder> (unit-tested natively), the _win.cpp files of
# all folders make tolvex_win32, which only the cross build compiles.

# tolvex_portable_library(<folder> [DEPENDS lib...])
function(tolvex_portable_library folder)
  cmake_parse_arguments(A "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "_win\\.cpp$")
  if(sources)
    add_library(tolvex_${folder} STATIC ${sources})
    target_include_directories(tolvex_${folder} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(tolvex_${folder} PUBLIC ${A_DEPENDS})
  else()
    add_library(tolvex_${folder} INTERFACE)
    target_include_directories(tolvex_${folder} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(tolvex_${folder} INTERFACE ${A_DEPENDS})
  endif()
endfunction()

# Win32 sources of one folder, collected for tolvex_win32 (see app/).
function(tolvex_win32_sources folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_win.cpp)
  list(FILTER sources EXCLUDE REGEX "/entry_point_win\\.cpp$")
  set_property(GLOBAL APPEND PROPERTY TOLVEX_WIN32_SOURCES ${sources})
endfunction()
