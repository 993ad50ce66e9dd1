// Reading the default printer from the system's settings file entries:
// [windows] device=NAME,DRIVER,PORT and [devices] NAME=DRIVER,PORT.
#ifndef KIVORA_WPPRINTERNAME_H
#define KIVORA_WPPRINTERNAME_H

// The settings text is read into one 50-byte buffer: the device name first
// (at most 49 bytes), then that device's entry into the rest of it.
const int kPrinterBufferSize = 50;

// Cuts a "device" entry at its first comma, in place; returns the name.
char* CutDeviceName(char* deviceEntry);

// Splits a "devices" entry "DRIVER,PORT" in place into its two parts.
// Without a comma the port is empty.
void SplitDriverAndPort(char* entry, const char** driver, const char** port);

#endif
