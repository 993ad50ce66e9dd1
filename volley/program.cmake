# volley.exe: the start function and the resource script; the window code
# comes from volley_win.
kivora_program(volley SOURCES main.cpp RC volley.rc LIBS volley_win)
