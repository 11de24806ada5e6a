# cmake -DOUTPUT=... -DSOURCE=qd.0NN -DTARGET=<installed name> -DVERSION=... -P write_support_file.cmake
string(ASCII 13 CR)
string(ASCII 10 LF)
set(text "Quendrel ${VERSION} support file ${SOURCE}.${CR}${LF}")
string(APPEND text "Setup installs it into the system folder as ${TARGET}.${CR}${LF}")
string(APPEND text "On Linux it carries no runtime code; it keeps the disc's file table whole.${CR}${LF}")
file(WRITE ${OUTPUT} "${text}")
