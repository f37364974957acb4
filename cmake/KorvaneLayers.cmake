# The folders of src/, lowest first. A file may include from its own folder and from folders
# listed before it, never from one listed after: upward calls are signals, not includes. The
# rooms of ui/ are ordered the same way among themselves.
#
#   util             process runner, text helpers, rounding, supported-file tests, product names
#   system           per-user store, power control, drives, desktop integration, MPRIS adapters
#   settings         the settings record, its file, twips, the settings store
#   mediainfo        stream record, decoder and MPEG probes, RIFF/AVI reader, codec maps
#   playlist         playlist model and intake, history, open dialog
#   playback/engine  the engine room: the engine interface, its options, the libVLC engine and
#                    the pictures it decodes; the only place that includes libVLC
#   playback         session, monitor, transport, play order, DVD
#   instance         single instance: lock, hand-over server and channels, start-up command
#   commands         the command table, menu layouts, enabled and checked rules
#   skin             pure skin arithmetic: pieces, hit tables, button states, layout, geometry
#   ui/qt            Qt adapters: file chooser, message boxes, the program's icon
#   ui/playlistview  the thumbnail list
#   ui/menus         the action registry, the menu bar and the popups
#   ui/frame         the skinned window base, the main window, video area and splitter
#   ui/dialogs       the About box and the Options dialog
#   startup          the run's two ends: the command line read once, the hand-over decision, the
#                    light start, the platform, what the end saves and in which order, the save
#                    at a lost display, the one way the process ends
#   app              the composition root: builds the parts, wires them, starts and ends them
set(KORVANE_LAYERS util system settings mediainfo playlist playback/engine playback instance commands skin
  ui/qt ui/playlistview ui/menus ui/frame ui/dialogs startup app)

# The library each folder builds into: rules use QtCore and QtGui alone, widgets add QtWidgets,
# the root wires everything. Adapters (one per outside thing) are named in src/CMakeLists.txt.
# The start-up room builds with the root: it reaches the adapters (sockets, the store) and the
# process itself.
set(KORVANE_WIDGET_FOLDERS ui/qt ui/playlistview ui/menus ui/frame ui/dialogs)
set(KORVANE_ROOT_FOLDERS startup app)

# The files of the engine room that call libVLC; they build into the adapters library. The rest of
# the room (the engine interface, its options, the frame store) is plain Qt that the rules and
# the widgets use.
set(KORVANE_VLC_FILES playback/engine/VlcEngine playback/engine/VlcInstance
  playback/engine/VlcEngineFactory playback/engine/VlcEventRelay playback/engine/VlcMedia
  playback/engine/OutputRelease)

# The layer of a path relative to src/ ("ui/frame/MainWindow.h" -> "ui/frame"): the longest
# entry of KORVANE_LAYERS that starts it. Empty when none does.
function(korvane_layer_of path out)
  set(found "")
  foreach(layer IN LISTS KORVANE_LAYERS)
    string(LENGTH "${layer}/" length)
    string(SUBSTRING "${path}" 0 ${length} start)
    if(start STREQUAL "${layer}/")
      string(LENGTH "${found}" found_length)
      if(length GREATER found_length)
        set(found ${layer})
      endif()
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()
