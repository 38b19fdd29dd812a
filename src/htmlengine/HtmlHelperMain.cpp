// The engine's helper processes (its start-up helper, whose forks render
// the pages), in place of the engine's own helper program: the same, save
// that it first gives back what only its loader needed. The start-up
// helper lives as long as the program, and its loader read some 17 MiB of
// symbol tables and relocation records that nothing reads again.

#include "htmlengine/LibraryPages.h"

#include <QCoreApplication>

#include <cstring>
#include <ctime>
#include <vector>

namespace QtWebEngineCore {
int processMain(int argc, const char** argv);
}

// Inside the sandbox the local time is asked of the program; the engine
// answers for these calls when its helper program defines them.
namespace sandbox {
struct tm* localtime_override(const time_t* timep);
struct tm* localtime_r_override(const time_t* timep, struct tm* result);
} // namespace sandbox

extern "C" {
struct tm* localtime(const time_t* timep)
{
    return sandbox::localtime_override(timep);
}

struct tm* localtime_r(const time_t* timep, struct tm* result)
{
    return sandbox::localtime_r_override(timep, result);
}
}

int main(int argc, const char** argv)
{
    ReleaseLinkingTables();
    // The application object keeps the arguments and may change them; the
    // engine reads the originals.
    std::vector<std::vector<char>> copies;
    std::vector<char*> arguments;
    for (int i = 0; i < argc; ++i) {
        copies.emplace_back(argv[i], argv[i] + std::strlen(argv[i]) + 1);
        arguments.push_back(copies.back().data());
    }
    arguments.push_back(nullptr);
    int count = argc;
    QCoreApplication application(count, arguments.data());
    return QtWebEngineCore::processMain(argc, argv);
}
