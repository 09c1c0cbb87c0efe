// The init of the guest with a screen. It prints the machine's values, starts
// Tarnwick X on the framebuffer and, while the host clicks and types through
// QEMU's monitor, answers each "report" line the host sends on the serial
// console with the module's log and the registers. After Tarnwick X quits it
// shows the saved preferences, puts the registers back as the firmware left
// them and runs Korvendale Startup. As /sbin/modprobe it loads the module
// with the options of /etc/modprobe.d/korvendale.conf, as modprobe would.
#define _GNU_SOURCE
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mount.h>
#include <sys/reboot.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include "../guest.h"

#define MODULE_OPTIONS "/etc/modprobe.d/korvendale.conf"
#define NODE_DIR "/proc/sys/hw/"
#define TARNWICK "/usr/bin/tarnwick-x"
#define STARTUP "/usr/libexec/korvendale/Korvendale Startup"
#define PREFS "/var/lib/korvendale/System/Library/StartupItems/Korvendale Startup/Tarnwick X Prefs"
#define READY "/tmp/tarnwick-ready"
#define CPU_NODE "/proc/device-tree/cpus/"

static void pause_ms(int ms)
{
    poll(NULL, 0, ms);
}

static ssize_t read_file(const char* path, char* buffer, size_t size)
{
    int fd = open(path, O_RDONLY);
    if (fd < 0)
        return -1;
    ssize_t n = read(fd, buffer, size);
    close(fd);
    return n;
}

// The words after "options korvendale" in the options file.
static void module_options(char* params, size_t size)
{
    char text[256];
    ssize_t n = read_file(MODULE_OPTIONS, text, sizeof text - 1);
    text[n > 0 ? n : 0] = 0;
    const char* lead = "options korvendale ";
    char* found = strstr(text, lead);
    snprintf(params, size, "%s", found ? found + strlen(lead) : "");
    params[strcspn(params, "\n")] = 0;
}

static int modprobe_main(int argc, char** argv)
{
    if (argc < 2 || strcmp(argv[argc - 1], "korvendale") != 0) {
        fprintf(stderr, "modprobe: only korvendale is here\n");
        return 1;
    }
    char params[256];
    module_options(params, sizeof params);
    int err = load_module(params);
    if (err && err != EEXIST) {
        fprintf(stderr, "modprobe: korvendale: %s\n", strerror(err));
        return 1;
    }
    return 0;
}

#define HID0_MANAGED 0x001002A8ll // DPM SPD SGE BTIC ABE

static const char* const registers[] = {"PVR", "HID0", "HID1", "L2CR", "DefL2CR", "Temp"};
enum { kRegisters = sizeof registers / sizeof *registers };

static int read_register(const char* name, long long* value)
{
    char path[64], text[32];
    snprintf(path, sizeof path, NODE_DIR "Korvendale%s", name);
    ssize_t n = read_file(path, text, sizeof text - 1);
    if (n <= 0)
        return 0;
    text[n] = 0;
    *value = strtoll(text, NULL, 10);
    return 1;
}

static void show_registers(const char* when)
{
    say("%s:", when);
    for (int i = 0; i < kRegisters; i++) {
        long long value;
        if (!read_register(registers[i], &value))
            say(" %s=none", registers[i]);
        else if (strcmp(registers[i], "Temp") == 0)
            say(" %s=%lld", registers[i], value);
        else
            say(" %s=0x%08llX", registers[i], value);
    }
    say("\n");
}

static int write_register(const char* name, long long value)
{
    char path[64], text[32];
    snprintf(path, sizeof path, NODE_DIR "Korvendale%s", name);
    int len = snprintf(text, sizeof text, "%lld\n", value);
    int fd = open(path, O_WRONLY);
    if (fd < 0)
        return errno;
    int err = write(fd, text, len) == len ? 0 : errno;
    close(fd);
    return err;
}

// The first cpu node's folder ("/proc/device-tree/cpus/PowerPC,G4@0/").
static const char* cpu_node(void)
{
    static char path[320];
    if (path[0])
        return path;
    DIR* dir = opendir(CPU_NODE);
    struct dirent* entry;
    while (dir && (entry = readdir(dir))) {
        char type[16] = "";
        char probe[320];
        snprintf(probe, sizeof probe, CPU_NODE "%s/device_type", entry->d_name);
        if (read_file(probe, type, sizeof type - 1) > 0 && strcmp(type, "cpu") == 0
            && (!path[0] || strcmp(entry->d_name, path + strlen(CPU_NODE)) < 0))
            snprintf(path, sizeof path, CPU_NODE "%s/", entry->d_name);
    }
    if (dir)
        closedir(dir);
    return path;
}

static unsigned long cpu_cell(const char* property)
{
    char path[384];
    unsigned char bytes[4];
    snprintf(path, sizeof path, "%s%s", cpu_node(), property);
    unsigned long value = 0;
    if (read_file(path, (char*)bytes, sizeof bytes) == sizeof bytes)
        value = (unsigned long)bytes[0] << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
    return value;
}

// A device-tree string list with its zeros as commas.
static void tree_text(const char* path, char* text, size_t size)
{
    ssize_t n = read_file(path, text, size - 1);
    text[n > 0 ? n : 0] = 0;
    for (ssize_t i = 0; i + 1 < n; i++)
        if (!text[i])
            text[i] = ',';
}

// What a simulated Macintosh needs to show the same screens.
static void show_machine(void)
{
    char model[64], compatible[128];
    tree_text("/proc/device-tree/model", model, sizeof model);
    tree_text("/proc/device-tree/compatible", compatible, sizeof compatible);
    say("machine: model=%s compatible=%s cpu-hz=%lu bus-hz=%lu\n", model, compatible,
        cpu_cell("clock-frequency"), cpu_cell("bus-frequency"));
    show_registers("registers");
}

// Waits until the tablet QEMU plugs in a moment after boot is an input
// device, then names every input device.
static void wait_for_input(void)
{
    char names[8][64];
    int count = 0, tablet = 0;
    for (double start = now(); !tablet && now() - start < 30; pause_ms(100)) {
        count = 0;
        for (int i = 0; i < 8; i++) {
            char path[64];
            snprintf(path, sizeof path, "/sys/class/input/input%d/name", i);
            ssize_t n = read_file(path, names[count], sizeof names[count] - 1);
            if (n <= 0)
                continue;
            names[count][n] = 0;
            names[count][strcspn(names[count], "\n")] = 0;
            tablet |= strstr(names[count], "Tablet") != NULL;
            count++;
        }
    }
    for (int i = 0; i < count; i++)
        say("input: %s\n", names[i]);
    if (!tablet)
        say("input: no tablet\n");
}

static pid_t start(char* const argv[])
{
    pid_t child = fork();
    if (child == 0) {
        int null = open("/dev/null", O_RDONLY);
        dup2(null, 0);
        dup2(1, 2);
        execv(argv[0], argv);
        printf("exec %s: %s\n", argv[0], strerror(errno));
        _exit(127);
    }
    return child;
}

static void report_exit(const char* name, int status)
{
    if (WIFEXITED(status))
        say("%s: exit %d\n", name, WEXITSTATUS(status));
    else
        say("%s: killed by signal %d\n", name, WTERMSIG(status));
}

// Until Tarnwick X ends: its first frame is announced, and each line
// "report TEXT" from the host is answered with the module's log and the
// registers under "== TEXT".
static void serve(pid_t tarnwick)
{
    int ready = 0, status = 0;
    char line[256];
    size_t used = 0;
    for (;;) {
        if (!ready && access(READY, F_OK) == 0) {
            ready = 1;
            say("KORV-READY\n");
        }
        if (waitpid(tarnwick, &status, WNOHANG) == tarnwick)
            break;
        struct pollfd serial = {0, POLLIN, 0};
        if (poll(&serial, 1, 100) <= 0)
            continue;
        ssize_t n = read(0, line + used, sizeof line - 1 - used);
        if (n <= 0)
            continue;
        used += n;
        line[used] = 0;
        char* end;
        while ((end = strchr(line, '\n'))) {
            *end = 0;
            if (strncmp(line, "report ", 7) == 0) {
                say("== %s\n", line + 7);
                kernel_log();
                show_registers("registers");
                say("KORV-REPORTED\n");
            }
            used -= end + 1 - line;
            memmove(line, end + 1, used + 1);
        }
        if (used == sizeof line - 1)
            used = 0;
    }
    report_exit("tarnwick-x", status);
}

static void show_prefs(void)
{
    unsigned char bytes[64];
    ssize_t n = read_file(PREFS, (char*)bytes, sizeof bytes);
    if (n < 0) {
        say("prefs: %s\n", strerror(errno));
        return;
    }
    say("prefs (%zd bytes):", n);
    for (ssize_t i = 0; i < n; i++)
        say(" %02X", bytes[i]);
    say("\n");
}

int main(int argc, char** argv)
{
    const char* self = strrchr(argv[0], '/');
    if (strcmp(self ? self + 1 : argv[0], "modprobe") == 0)
        return modprobe_main(argc, argv);

    guest_setup();
    // The host's lines are commands, not to be echoed into the transcript.
    struct termios tty;
    if (tcgetattr(0, &tty) == 0) {
        tty.c_lflag &= ~(ECHO | ECHONL);
        tcsetattr(0, TCSANOW, &tty);
    }
    setenv("PATH", "/usr/sbin:/usr/bin:/sbin:/bin", 1);
    setenv("HOME", "/root", 1);
    setenv("MACSIM_READY", READY, 1);

    say("KORV-BEGIN\n");
    char* const modprobe[] = {"/sbin/modprobe", "korvendale", NULL};
    int status = 0;
    waitpid(start(modprobe), &status, 0);
    report_exit("modprobe korvendale", status);
    kernel_log();
    long long hid0 = 0, l2cr = 0;
    read_register("HID0", &hid0);
    read_register("L2CR", &l2cr);
    show_machine();
    wait_for_input();

    char* const tarnwick[] = {TARNWICK, NULL};
    serve(start(tarnwick));
    kernel_log();
    show_prefs();

    // As at the next power-on: the firmware's registers, no module.
    long long now = hid0;
    read_register("HID0", &now);
    say("power-on: HID0 %s, L2CR %s, unload %s\n",
        error_text(write_register("HID0", (now & ~HID0_MANAGED) | (hid0 & HID0_MANAGED))),
        error_text(write_register("L2CR", l2cr)), error_text(unload_module()));
    kernel_log();
    char* const startup[] = {STARTUP, "start", NULL};
    waitpid(start(startup), &status, 0);
    report_exit("Korvendale Startup", status);
    kernel_log();
    show_registers("registers");

    say("KORV-END\n");
    sync();
    reboot(RB_POWER_OFF);
    return 0;
}
