# The files the game reads from its working directory: its configuration and
# the sounds of its four cues. Every build and package takes them from here:
# the game's loader (runtime_files.h), the copy beside the built program,
# the installed tree and the launcher, the browser's data and the Windows zip
# and installer.
set(VORLIX_CONFIG_FILE vorlix.cfg)
set(VORLIX_START_SOUND start.wav)  # the title's chime
set(VORLIX_LASER_SOUND laser.wav)  # a laser shot
set(VORLIX_CANDY_SOUND candy.wav)  # a new candy
set(VORLIX_HIT_SOUND hit.wav)      # the crash
set(VORLIX_SOUND_FILES ${VORLIX_START_SOUND} ${VORLIX_LASER_SOUND} ${VORLIX_CANDY_SOUND} ${VORLIX_HIT_SOUND})
set(VORLIX_RUNTIME_FILES ${VORLIX_CONFIG_FILE} ${VORLIX_SOUND_FILES})
