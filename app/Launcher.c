/* The program's front door, what hosts and people run as varlenscr. Hosts stop their
 * guests with SIGTERM, SIGINT or SIGHUP, sometimes within milliseconds of starting them;
 * the aquarium itself needs some milliseconds more just to have its libraries loaded,
 * and until its main() has run a signal would kill it by its default action. This small
 * static program, which has nothing to load, blocks the three signals at once and runs
 * the aquarium in its place (same process, same arguments). A blocked signal stays
 * pending across exec until the aquarium has its handlers in place, so every stop is a
 * clean one. */
#include <errno.h>
#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#if !defined(PROGRAM_FROM_LAUNCHER) || !defined(PROGRAM_INSTALLED)
#error "PROGRAM_FROM_LAUNCHER (relative to this program's folder) and PROGRAM_INSTALLED"
#endif

int main(int argc, char *argv[])
{
    static const int stops[] = {SIGTERM, SIGINT, SIGHUP};
    sigset_t blocked;
    sigemptyset(&blocked);
    for (int i = 0; i < 3; ++i)
        sigaddset(&blocked, stops[i]);
    sigprocmask(SIG_BLOCK, &blocked, NULL);
    /* An ignored signal is dropped even while blocked (a shell starts background jobs
       with SIGINT ignored): the default keeps it pending for the aquarium's handler. */
    for (int i = 0; i < 3; ++i)
        signal(stops[i], SIG_DFL);

    /* Beside this program wherever the tree was installed or unpacked; where /proc
       cannot say where that is, at the place the install put it. */
    char path[PATH_MAX];
    char program[PATH_MAX] = PROGRAM_INSTALLED;
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n > 0 && memchr(path, '/', (size_t)n) != NULL) {
        path[n] = '\0';
        *strrchr(path, '/') = '\0';
        if (snprintf(program, sizeof program, "%s/%s", path, PROGRAM_FROM_LAUNCHER) >= (int)sizeof program) {
            fprintf(stderr, "varlenscr: the program's path is too long\n");
            return 1;
        }
    }
    (void)argc;
    execv(program, argv);
    fprintf(stderr, "varlenscr: cannot run %s: %s\n", program, strerror(errno));
    return 1;
}
