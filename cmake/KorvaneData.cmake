# Data files the program reads from its own folder, plus a short sample clip made from the
# decoder's built-in test sources so a first run has something to play.
file(GLOB KORVANE_DATA_FILES LIST_DIRECTORIES false CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*)
set(KORVANE_DATA_OUTPUTS)
foreach(data_file IN LISTS KORVANE_DATA_FILES)
  get_filename_component(data_name ${data_file} NAME)
  add_custom_command(OUTPUT ${KORVANE_BIN_DIR}/${data_name}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${data_file} ${KORVANE_BIN_DIR}/${data_name}
    DEPENDS ${data_file} VERBATIM)
  list(APPEND KORVANE_DATA_OUTPUTS ${KORVANE_BIN_DIR}/${data_name})
endforeach()

set(KORVANE_SAMPLE_CLIP ${KORVANE_BIN_DIR}/sample.mp4)
add_custom_command(OUTPUT ${KORVANE_SAMPLE_CLIP}
  COMMAND ${FFMPEG_PROGRAM} -v error -y
    -f lavfi -i testsrc2=duration=10:size=640x360:rate=25
    -f lavfi -i sine=frequency=440:beep_factor=4:duration=10
    -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac -b:a 96k -shortest
    ${KORVANE_SAMPLE_CLIP}
  VERBATIM)
list(APPEND KORVANE_DATA_OUTPUTS ${KORVANE_SAMPLE_CLIP})

include(${CMAKE_SOURCE_DIR}/cmake/KorvaneSkin.cmake)
add_custom_target(korvane_data ALL DEPENDS ${KORVANE_DATA_OUTPUTS} ${KORVANE_SKIN_STAMP})
