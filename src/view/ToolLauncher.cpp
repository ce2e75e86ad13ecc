#include "view/ToolLauncher.h"

#include "view/ToolCommandLine.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace mosgrid {

namespace {

ToolStartHandler& startHandler()
{
    static ToolStartHandler handler;
    return handler;
}

bool IsExecutableFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)
        && ::access(path.c_str(), X_OK) == 0;
}

} // namespace

std::string FindProgram(const std::string& name, const std::string& exeDir)
{
    if (name.empty())
        return {};
    if (name.find('/') != std::string::npos)
        return IsExecutableFile(name) ? name : std::string();

    if (!exeDir.empty()) {
        const std::string beside = exeDir.back() == '/' ? exeDir + name : exeDir + '/' + name;
        if (IsExecutableFile(beside))
            return beside;
    }
    const char* path = std::getenv("PATH");
    if (path == nullptr)
        return {};
    const std::string dirs(path);
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        // An empty PATH entry means the current directory.
        const std::string dir = end > start ? dirs.substr(start, end - start) : ".";
        const std::string candidate = dir + '/' + name;
        if (IsExecutableFile(candidate))
            return candidate;
        start = end + 1;
    }
    return {};
}

bool StartDetached(const std::string& program, const std::vector<std::string>& argv)
{
    // Everything the children touch is prepared before fork: after it only async-signal-safe
    // calls are allowed in a threaded process.
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    // A pipe closed on exec tells the parent whether the grandchild's exec succeeded.
    int status[2];
    if (::pipe2(status, O_CLOEXEC) != 0)
        return false;

    const pid_t child = ::fork();
    if (child < 0) {
        ::close(status[0]);
        ::close(status[1]);
        return false;
    }
    if (child == 0) {
        // The intermediate child: a new session, then the tool as its own child, then gone,
        // so the tool is reparented and never becomes our zombie.
        ::close(status[0]);
        ::setsid();
        const pid_t tool = ::fork();
        if (tool == 0) {
            ::execv(program.c_str(), args.data());
            const int error = errno;
            [[maybe_unused]] const auto written = ::write(status[1], &error, sizeof error);
            ::_exit(127);
        }
        if (tool < 0) {
            const int error = errno;
            [[maybe_unused]] const auto written = ::write(status[1], &error, sizeof error);
        }
        ::_exit(0);
    }

    ::close(status[1]);
    int childStatus = 0;
    while (::waitpid(child, &childStatus, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    do {
        got = ::read(status[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    ::close(status[0]);
    return got == 0;  // nothing written: the exec happened
}

bool IsToolFound(const std::string& commandLine, const std::string& exeDir)
{
    const std::vector<std::string> argv = SplitCommandLine(commandLine);
    return !argv.empty() && !FindProgram(argv.front(), exeDir).empty();
}

void StartToolCommandLine(const std::string& commandLine, const std::string& exeDir)
{
    const std::vector<std::string> argv = SplitCommandLine(commandLine);
    if (argv.empty())
        return;
    const std::string program = FindProgram(argv.front(), exeDir);
    if (program.empty())
        return;
    if (startHandler()) {
        startHandler()(program, argv);
        return;
    }
    StartDetached(program, argv);
}

void SetToolStartHandler(ToolStartHandler handler)
{
    startHandler() = std::move(handler);
}

} // namespace mosgrid
