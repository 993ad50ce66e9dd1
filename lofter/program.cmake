# lofter.exe: the start function and the resources; the rest is lofter_win.
# kivlib.dll, which it imports at load time, is built into the same folder.
kivora_program(lofter SOURCES main.cpp RC lofter.rc LIBS lofter_win)
