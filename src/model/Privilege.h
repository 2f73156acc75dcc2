#pragma once
// The privilege levels raised by the -m and -s start options (each after its
// password). Set only while the command line is read; the radio link and some
// pages read them.
extern bool g_manufacturerMode;
extern bool g_serviceMode;
