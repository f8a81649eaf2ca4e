// Programs run by tests and benchmarks in processes of their own, for what a process settles
// once (such as the RFC library it talks to). The child gets the caller's environment and
// console.
#pragma once

#include <afx.h>

// The folder of the running executable, ending in a backslash.
CString ExecutableFolder();

// Runs the program with the arguments (one command-line text) to its end: its exit code, or -1
// when it could not be started or did not end within the time. Given an inheritable file
// handle, the child writes its standard output and error there instead.
long RunChildProcess(const CString& program, const CString& arguments, DWORD timeoutMs = 120000,
                     HANDLE hOutput = nullptr);
