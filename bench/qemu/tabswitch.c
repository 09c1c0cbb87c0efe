// The time of a tab switch in Tarnwick X as a multiple of a fixed integer
// workload timed by the same processor: emulated time is not real time, but
// the ratio holds. Tarnwick X runs headless with an event script that
// switches tabs SWITCHES times, less the same run without switches (start-up
// and quitting cancel), over SWITCHES. Median of RUNS runs each.
//   tabswitch TARNWICK WORK_DIR     on the host (a simulated Macintosh named
//                                   by MACSIM_MACHINE)
// As the guest's init (pid 1) it loads the module first, so Tarnwick X runs
// on the emulated machine itself, and powers off when done.
#define _GNU_SOURCE
#include <stdint.h>
#include <stdlib.h>
#include <sys/reboot.h>
#include <sys/wait.h>
#include <time.h>

#include "../../tests/qemu/guest.h"

#define SWITCHES 200
#define RUNS 3
#define WORKLOAD_ROUNDS 40000000u
#define GUEST_TARNWICK "/usr/bin/tarnwick-x"
#define MODULE_OPTIONS "test_firmware_l2cr=0xB9000000"

// Integer hashing through a table that fits a G4's first-level cache: loads,
// stores and multiplies, as drawing has, and nothing the compiler can fold or
// our code touches.
static double workload(void)
{
    static uint32_t table[4096];
    for (uint32_t i = 0; i < 4096; i++)
        table[i] = i * 2654435761u;
    double start = now();
    uint32_t h = 2166136261u, j = 0;
    for (uint32_t i = 0; i < WORKLOAD_ROUNDS; i++) {
        uint32_t k = i & 4095, t = table[k];
        j = (j + t + h) & 4095;
        table[k] = table[j];
        table[j] = t;
        h = (h ^ t) * 16777619u;
    }
    volatile uint32_t sink = h;
    (void)sink;
    return now() - start;
}

static void write_script(const char* path, int switches)
{
    FILE* f = fopen(path, "w");
    if (!f) {
        say("tabswitch: %s: %s\n", path, strerror(errno));
        exit(1);
    }
    for (int i = 0; i < switches; i++)
        fprintf(f, "click-title %s\n", i % 2 ? "System Profile" : "Tarnwick");
    // An even count ends on the first tab, as the run without switches.
    fprintf(f, "quit\n");
    fclose(f);
}

static double tarnwick(const char* program, const char* script)
{
    double start = now();
    pid_t child = fork();
    if (child == 0) {
        int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        setenv("MACSIM_DISPLAY", "headless", 1);
        setenv("MACSIM_SCRIPT", script, 1);
        execl(program, program, (char*)NULL);
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    double took = now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        say("tabswitch: %s with %s ended with status 0x%x\n", program, script, status);
        exit(1);
    }
    return took;
}

static int by_value(const void* a, const void* b)
{
    double x = *(const double*)a, y = *(const double*)b;
    return (x > y) - (x < y);
}

static double median(double* values)
{
    qsort(values, RUNS, sizeof *values, by_value);
    return values[RUNS / 2];
}

static void measure(const char* where, const char* program, const char* dir)
{
    char none[256], some[256];
    snprintf(none, sizeof none, "%s/no-switches.script", dir);
    snprintf(some, sizeof some, "%s/switches.script", dir);
    write_script(none, 0);
    write_script(some, SWITCHES);
    double work[RUNS], base[RUNS], with[RUNS];
    tarnwick(program, none); // caches warm, preferences written once
    for (int i = 0; i < RUNS; i++) {
        work[i] = workload();
        base[i] = tarnwick(program, none);
        with[i] = tarnwick(program, some);
    }
    double w = median(work), b = median(base), s = median(with);
    double each = (s - b) / SWITCHES;
    say("%s: workload %.3f s, start and quit %.3f s, %d tab switches %.3f s more, one %.1f ms\n", where, w, b,
        SWITCHES, s - b, each * 1e3);
    say("%s: tab switch = %.4f x the fixed workload (1/%.0f)\n", where, each / w, w / each);
}

int main(int argc, char** argv)
{
    if (getpid() != 1) {
        if (argc != 3) {
            fprintf(stderr, "usage: tabswitch TARNWICK WORK_DIR\n");
            return 2;
        }
        measure("host", argv[1], argv[2]);
        return 0;
    }
    guest_setup();
    setenv("HOME", "/root", 1);
    say("KORV-BEGIN\n");
    int err = load_module(MODULE_OPTIONS);
    kernel_log();
    if (err)
        say("tabswitch: korvendale: %s\n", error_text(err));
    else
        measure("guest", GUEST_TARNWICK, "/tmp");
    say("unload: %s\n", error_text(unload_module()));
    say("KORV-END\n");
    sync();
    reboot(RB_POWER_OFF);
    return 0;
}
