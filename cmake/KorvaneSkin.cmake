# The skin is drawn as SVG in data/skin and rendered into the program folder by the build, in
# the file names the program loads.
find_package(Qt6 REQUIRED COMPONENTS Svg)
add_executable(korvane-skin ${CMAKE_SOURCE_DIR}/tools/skin/korvane-skin.cpp)
target_link_libraries(korvane-skin PRIVATE Qt6::Gui Qt6::Svg korvane_warnings)

file(GLOB KORVANE_SKIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/skin/*)
set(KORVANE_SKIN_STAMP ${CMAKE_BINARY_DIR}/korvane-skin.stamp)
add_custom_command(OUTPUT ${KORVANE_SKIN_STAMP}
  COMMAND korvane-skin ${CMAKE_SOURCE_DIR}/data/skin ${KORVANE_BIN_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${KORVANE_SKIN_STAMP}
  DEPENDS korvane-skin ${KORVANE_SKIN_SOURCES}
  COMMENT "Rendering the skin" VERBATIM)
add_custom_target(korvane_skin DEPENDS ${KORVANE_SKIN_STAMP})
