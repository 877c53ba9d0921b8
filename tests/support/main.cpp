#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "support/spooler_guard.h"

namespace {

// A fault in a test ends the program with a report instead of a debugger.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* exception)
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    fprintf(stderr, "\n*** exception 0x%08lx at %p in %s.%s\n", exception->ExceptionRecord->ExceptionCode,
            exception->ExceptionRecord->ExceptionAddress, test ? test->test_suite_name() : "?",
            test ? test->name() : "?");
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv)
{
    SetUnhandledExceptionFilter(ReportCrash);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    GuardTheTestProgram();
    return RUN_ALL_TESTS();
}
