# The folders of src/, lowest first. A file may include from its own folder and from folders
# listed before it, never from one listed after: upward calls are signals, not includes.
#
#   util       process runner, text helpers, rounding, supported-file tests, product names
#   system     per-user store, power control, message boxes (interfaces and adapters)
#   settings   the settings record, its file, twips, the settings store
#   mediainfo  stream record, decoder and MPEG probes, RIFF/AVI reader, codec maps
#   playlist   playlist model and intake, history, open dialog
#   playback   engine interface and libVLC engine, session, monitor, transport, play order
#   ui         widgets, and the arithmetic they paint from
#   app        the composition root: start-up, single instance, shutdown
set(KORVANE_LAYERS util system settings mediainfo playlist playback ui app)
