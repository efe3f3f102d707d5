#include "StartProgram.h"

StartedProcess StartProgram(const std::string& program, const std::string& arguments, HANDLE output)
{
    const std::string folder = program.substr(0, program.find_last_of('\\'));
    // CreateProcessA may write into its command line, so it gets this string's own buffer.
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (output != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr,
                          output != nullptr ? TRUE : FALSE, 0, nullptr, folder.c_str(), &startup,
                          &started))
        return {};
    // Nothing waits on the program's first thread: its handle goes at once.
    const UniqueKernelHandle thread(started.hThread);
    return {UniqueKernelHandle(started.hProcess), started.dwProcessId};
}
