# The layers of the sources, from the bottom up. A layer uses only the
# layers below it: its library links only theirs (the configuration stops
# otherwise), and its sources include only their headers and its own (the
# test `layering`, tests/layers/check_layers.py, reads every include).
# Layers named in one entry stand side by side and use neither the other.
# The programs sit at the top; no library includes a header of theirs.
set(TRELVAN_LAYERS
  geodesy
  "geometry magnetic"
  measures
  text
  store
  exchange
  workspace
  plan
  ui
  forms
  app/programs
  "app tools/calc tools/waypoints")

# The position of `folder` in TRELVAN_LAYERS, 0 at the bottom, in `out`.
function(trelvan_layer_rank folder out)
  set(rank 0)
  foreach(entry IN LISTS TRELVAN_LAYERS)
    string(REPLACE " " ";" folders "${entry}")
    if(folder IN_LIST folders)
      set(${out} ${rank} PARENT_SCOPE)
      return()
    endif()
    math(EXPR rank "${rank} + 1")
  endforeach()
  message(FATAL_ERROR "${folder} is not among TRELVAN_LAYERS (cmake/Layers.cmake)")
endfunction()

# Stops the configuration when the library of a layer links one of a layer
# that does not lie below its own. Runs once every target is made.
function(trelvan_check_layer_links)
  get_property(targets GLOBAL PROPERTY TRELVAN_LAYER_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(rank ${target} TRELVAN_LAYER_RANK)
    get_target_property(links ${target} LINK_LIBRARIES)
    foreach(link IN LISTS links)
      if(TARGET ${link})
        get_target_property(below ${link} TRELVAN_LAYER_RANK)
        if(NOT below STREQUAL "below-NOTFOUND" AND below GREATER_EQUAL rank)
          message(FATAL_ERROR "${target} links ${link}, whose layer does not lie below its "
                              "own (cmake/Layers.cmake)")
        endif()
      endif()
    endforeach()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL trelvan_check_layer_links)

# trelvan_layer(TARGET FOLDER [LINKS library...])
# The static library TARGET of the layer FOLDER: its sources and headers,
# main.cpp left out for the program of the folder. LINKS are linked
# publicly; a library of another layer among them must lie below FOLDER.
function(trelvan_layer target folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "LINKS")
  trelvan_layer_rank(${folder} rank)
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h)
  list(FILTER sources EXCLUDE REGEX ".*/main\\.cpp$")
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${arg_LINKS})
  set_target_properties(${target} PROPERTIES TRELVAN_LAYER_RANK ${rank})
  set_property(GLOBAL APPEND PROPERTY TRELVAN_LAYER_TARGETS ${target})
endfunction()
