# The help page and what it links to, beside the program in help/.
file(GLOB KORVANE_HELP_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/help/*)
set(KORVANE_HELP_OUTPUTS)
foreach(help_file IN LISTS KORVANE_HELP_FILES)
  get_filename_component(help_name ${help_file} NAME)
  add_custom_command(OUTPUT ${KORVANE_BIN_DIR}/help/${help_name}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${help_file} ${KORVANE_BIN_DIR}/help/${help_name}
    DEPENDS ${help_file} VERBATIM)
  list(APPEND KORVANE_HELP_OUTPUTS ${KORVANE_BIN_DIR}/help/${help_name})
endforeach()
add_custom_target(korvane_help ALL DEPENDS ${KORVANE_HELP_OUTPUTS})
