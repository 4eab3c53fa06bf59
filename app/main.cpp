#include "AquariumApp.h"
#include "CommandLine.h"
#include "Random.h"
#include "RunGuards.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // Hosts stop their guests with a signal, often within moments of starting them.
    installExitSignals();

    const CommandLineResult parsed =
        parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::getenv("XSCREENSAVER_WINDOW"));
    switch (parsed.action) {
    case CommandLineResult::Action::ShowHelp:
        std::fputs(usageText("varlenscr").c_str(), stdout);
        return 0;
    case CommandLineResult::Action::ShowVersion:
        std::printf("%s\n", versionText().c_str());
        return 0;
    case CommandLineResult::Action::Fail:
        std::fprintf(stderr, "varlenscr: %s\n%s", parsed.error.c_str(), usageText("varlenscr").c_str());
        return 1;
    case CommandLineResult::Action::Run:
        break;
    }
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    varlen::seedRandom(runSeed(parsed.options, uint64_t(now.tv_sec) * 1000000000u + uint64_t(now.tv_nsec),
                               uint32_t(::getpid())));

    AquariumApp app(argc, argv, parsed.options);
    if (!app.initInstance())
        return app.failed() ? 1 : 0;
    return app.exec();
}
