#pragma once

// The command-line tail a program was started with: the whole command line
// less the program's name (quoted or not) and the blanks after it. Bytes are
// compared unsigned. The runtime's own tail (WinMain's argument) compares
// them signed and so drops every byte from 0x80 up at its start as if it
// were a blank: a tail that begins with a double-byte character lost its
// lead byte ("開始.rsp" arrived as "J始.rsp").
char* CommandLineTail(char* commandLine);
