# Copies SOURCE to DESTINATION unless DESTINATION exists: shipped defaults that a person may have
# edited since are left alone.
#   cmake -DSOURCE=... -DDESTINATION=... -P CopyIfAbsent.cmake
if(NOT EXISTS "${DESTINATION}")
    file(COPY_FILE "${SOURCE}" "${DESTINATION}")
endif()
