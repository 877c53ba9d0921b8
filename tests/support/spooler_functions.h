// The types of the spooler functions whose import slots the test support
// takes: the guard's and the fault injection's wrappers call the originals
// through them.
#ifndef MARTENUI_TESTS_SPOOLER_FUNCTIONS_H
#define MARTENUI_TESTS_SPOOLER_FUNCTIONS_H

#include <windows.h>
#include <winspool.h>

using GetPrinterDataFunction = DWORD(WINAPI*)(HANDLE, LPWSTR, LPDWORD, LPBYTE, DWORD, LPDWORD);
using SetPrinterDataFunction = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, LPBYTE, DWORD);
using GetPrinterFunction = BOOL(WINAPI*)(HANDLE, DWORD, LPBYTE, DWORD, LPDWORD);
using SetPrinterFunction = BOOL(WINAPI*)(HANDLE, DWORD, LPBYTE, DWORD);
using GetPrinterDriverFunction = BOOL(WINAPI*)(HANDLE, LPWSTR, DWORD, LPBYTE, DWORD, LPDWORD);
using OpenPrinterFunction = BOOL(WINAPI*)(LPWSTR, LPHANDLE, LPPRINTER_DEFAULTSW);

#endif
