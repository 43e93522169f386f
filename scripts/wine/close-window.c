/* Closes a top-level window as a click on its close box does (WM_CLOSE) and waits for its
 * process to end; prints the process's exit status. scripts/test-windows.sh builds it with
 * mingw-w64 and runs it under Wine (Wine's taskkill did not find the tool's process).
 *   close-window.exe "Window title"
 * Exit status: 0 the process ended with status 0; 1 no such window; 2 still running after
 * ten seconds; 3 it ended with another status. */
#include <stdio.h>
#include <windows.h>

int wmain(int argc, wchar_t **argv)
{
    if (argc != 2) {
        fputs("usage: close-window TITLE\n", stderr);
        return 1;
    }
    HWND window = FindWindowW(NULL, argv[1]);
    if (!window) {
        fprintf(stderr, "close-window: no window \"%ls\"\n", argv[1]);
        return 1;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (!process || WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) {
        fprintf(stderr, "close-window: \"%ls\" still running\n", argv[1]);
        return 2;
    }
    DWORD status = 0;
    GetExitCodeProcess(process, &status);
    printf("close-window: \"%ls\" closed, exit status %lu\n", argv[1], status);
    return status == 0 ? 0 : 3;
}
