// The guest's init: drives the module and the programs and prints a
// transcript on the console, which the host compares with the expected one.
// Linked statically; as /sbin/modprobe it loads the module (for the startup
// item). Powers the machine off at the end.
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mount.h>
#include <sys/reboot.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "guest.h"

#define NODE_DIR "/proc/sys/hw/"
#define TOOL "/usr/sbin/korvendalecache"
#define STARTUP "/usr/libexec/korvendale/korvendale-startup"
#ifndef PREFS_DIR
#define PREFS_DIR "/var/lib/korvendale/System/Library/StartupItems/Korvendale Startup"
#endif
#define USER_UID 1000

static void section(const char* title)
{
    say("== %s\n", title);
}

// Reads a node as the programs would: the whole text, or the errno.
static int read_node(const char* name, char* text, size_t size)
{
    char path[128];
    snprintf(path, sizeof path, NODE_DIR "%s", name);
    int fd = open(path, O_RDONLY);
    if (fd < 0)
        return errno;
    ssize_t n = read(fd, text, size - 1);
    int err = n < 0 ? errno : 0;
    close(fd);
    text[n < 0 ? 0 : n] = 0;
    return err;
}

static void show_node(const char* name)
{
    char text[64];
    int err = read_node(name, text, sizeof text);
    if (err)
        say("read %s: %s\n", name, strerror(err));
    else
        say("read %s: %s", name, text); // the node's own newline
}

// One write(2) of exactly `text`; the error of open or write, or 0.
static int write_node(const char* name, const char* text, size_t len)
{
    char path[128];
    snprintf(path, sizeof path, NODE_DIR "%s", name);
    int fd = open(path, O_WRONLY);
    if (fd < 0)
        return errno;
    int err = write(fd, text, len) < 0 ? errno : 0;
    close(fd);
    return err;
}

static void quote(const char* text, size_t len, char* out, size_t size)
{
    size_t o = 0;
    for (size_t i = 0; i < len && o + 5 < size; i++) {
        unsigned char c = text[i];
        if (c == '\n')
            o += snprintf(out + o, size - o, "\\n");
        else if (c < 32 || c > 126 || c == '"' || c == '\\')
            o += snprintf(out + o, size - o, "\\x%02x", c);
        else
            out[o++] = c;
    }
    out[o] = 0;
}

static void try_write(const char* name, const char* text, size_t len)
{
    char shown[128];
    quote(text, len, shown, sizeof shown);
    say("write %s \"%s\": %s\n", name, shown, error_text(write_node(name, text, len)));
}

// Runs a program as `uid`, its stdout and stderr on the console, then its
// exit status.
static void run(uid_t uid, char* const argv[])
{
    say("$");
    for (int i = 0; argv[i]; i++)
        say(" %s", argv[i]);
    say(uid ? "   (uid %d)\n" : "\n", (int)uid);
    pid_t child = fork();
    if (child == 0) {
        if (uid && (setgid(uid) || setuid(uid)))
            _exit(126);
        dup2(1, 2);
        execv(argv[0], argv);
        printf("exec %s: %s\n", argv[0], strerror(errno));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status))
        say("exit %d\n", WEXITSTATUS(status));
    else
        say("killed by signal %d\n", WTERMSIG(status));
}

// A write by another user: refused when the file is opened.
static void user_write(const char* name, const char* text)
{
    pid_t child = fork();
    if (child == 0) {
        if (setgid(USER_UID) || setuid(USER_UID))
            _exit(126);
        _exit(write_node(name, text, strlen(text)));
    }
    int status = 0;
    waitpid(child, &status, 0);
    say("write %s \"%s\" (uid %d): %s\n", name, text, USER_UID,
        WIFEXITED(status) ? error_text(WEXITSTATUS(status)) : "killed");
}

static unsigned long node_word(const char* name)
{
    char text[64];
    return read_node(name, text, sizeof text) ? 0xDEADBEEFul : strtoul(text, NULL, 10);
}

static void write_file(const char* path, const unsigned char* bytes, size_t len)
{
    int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || write(fd, bytes, len) != (ssize_t)len)
        say("cannot write %s: %s\n", path, strerror(errno));
    if (fd >= 0)
        close(fd);
}

static void make_dirs(const char* path)
{
    char partial[256];
    for (const char* p = path + 1;; p++) {
        if (*p == '/' || *p == 0) {
            snprintf(partial, sizeof partial, "%.*s", (int)(p - path), path);
            mkdir(partial, 0755);
        }
        if (*p == 0)
            break;
    }
}

// The 36-byte "Tarnwick X Prefs" record: version 4, every sub-pane open.
static void write_prefs(int backside, unsigned ratio, int no_speculative, int dpm)
{
    unsigned char r[36]
        = {0, 0, 0, 4, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, (unsigned char)ratio, (unsigned char)backside, 1, 0,
            1, (unsigned char)no_speculative, 1, (unsigned char)dpm, 1, 0, 1, 0, 1, 0, 1, 1, 0, 0};
    make_dirs(PREFS_DIR);
    write_file(PREFS_DIR "/Tarnwick X Prefs", r, sizeof r);
    say("prefs: backside %d, ratio %u, speculative access off %d, dpm %d\n", backside, ratio, no_speculative,
        dpm);
}

static int modprobe_main(int argc, char** argv)
{
    int i = 1;
    while (i < argc && argv[i][0] == '-')
        i++;
    if (i >= argc || strcmp(argv[i], "korvendale") != 0) {
        fprintf(stderr, "modprobe: only korvendale is here\n");
        return 1;
    }
    int err = load_module("");
    if (err && err != EEXIST) {
        fprintf(stderr, "modprobe: korvendale: %s\n", strerror(err));
        return 1;
    }
    return 0;
}

static const char* const node_names[] = {"KorvendalePVR", "KorvendaleHID0", "KorvendaleHID1",
    "KorvendaleTemp", "KorvendaleL2CR", "KorvendaleDefL2CR"};

static void show_all_nodes(void)
{
    for (size_t i = 0; i < sizeof node_names / sizeof *node_names; i++) {
        char path[128];
        struct stat st;
        snprintf(path, sizeof path, NODE_DIR "%s", node_names[i]);
        if (stat(path, &st) == 0)
            say("%s mode %04o\n", node_names[i], (unsigned)(st.st_mode & 07777));
        show_node(node_names[i]);
    }
}

static void set_trace(int on)
{
    int fd = open("/sys/module/korvendale/parameters/trace", O_WRONLY);
    say("trace %s: %s\n", on ? "on" : "off",
        error_text(fd >= 0 && write(fd, on ? "1\n" : "0\n", 2) == 2 ? 0 : errno));
    if (fd >= 0)
        close(fd);
}

static void set_hid0(unsigned long value)
{
    char text[32];
    snprintf(text, sizeof text, "0x%08lX\n", value);
    try_write("KorvendaleHID0", text, strlen(text));
}

static void set_l2cr(unsigned long value)
{
    char text[32];
    snprintf(text, sizeof text, "0x%08lX", value);
    try_write("KorvendaleL2CR", text, strlen(text));
}

// A pattern that differs by word and by round, so that a word lost, moved or
// left from an earlier round shows.
static uint32_t pattern(uint32_t round, size_t i)
{
    uint32_t x = (uint32_t)i * 0x9E3779B9u ^ round * 0x85EBCA6Bu;
    x ^= x >> 15;
    x *= 0x2C1B3C6Du;
    return x ^ x >> 12;
}

// Switches the L2 off and on `switches` times; before each switch a few
// megabytes get a fresh pattern, after it they must hold it still: a flush
// that drops a modified line or a store that strays shows as a changed word.
static void switch_and_check(unsigned long enabled, int switches)
{
    enum { kMegabytes = 2, kWords = (kMegabytes << 20) / sizeof(uint32_t) };
    uint32_t* words = malloc(kWords * sizeof *words);
    if (!words) {
        say("no memory for the check\n");
        return;
    }
    unsigned long changed = 0, refused = 0, misread = 0;
    for (int round = 0; round < switches; round++) {
        for (size_t i = 0; i < kWords; i++)
            words[i] = pattern(round, i);
        unsigned long value = round % 2 ? enabled : 0;
        char text[32];
        snprintf(text, sizeof text, "%lu", value);
        if (write_node("KorvendaleL2CR", text, strlen(text)))
            refused++;
        else if (node_word("KorvendaleL2CR") != value)
            misread++;
        for (size_t i = 0; i < kWords; i++) {
            if (words[i] != pattern(round, i) && changed++ < 3)
                say("round %d: word %zu is 0x%08X, not 0x%08X\n", round, i, words[i], pattern(round, i));
        }
    }
    free(words);
    say("%d switches with %d MB checked after each: %lu words changed, %lu writes refused, %lu read back "
        "otherwise\n",
        switches, kMegabytes, changed, refused, misread);
}

// The enabled half, which QEMU cannot hold in L2CR: the module takes `word`
// as what firmware left running, so every step of disabling and enabling runs.
static void enabled_cache(unsigned long word)
{
    char params[64];
    snprintf(params, sizeof params, "test_firmware_l2cr=0x%08lX", word);
    section("enabled L2");
    say("load %s: %s\n", params, error_text(load_module(params)));
    kernel_log();
    show_node("KorvendaleL2CR");
    show_node("KorvendaleDefL2CR");
    set_trace(1);
    // Off; configured but off; on; on at another clock (3:2), so the DLL
    // must lock again.
    const unsigned long steps[] = {0, word & ~0x80000000ul, word, (word & ~0x0E000000ul) | 0x04000000};
    for (size_t i = 0; i < sizeof steps / sizeof *steps; i++) {
        set_l2cr(steps[i]);
        kernel_log();
        show_node("KorvendaleL2CR");
    }
    run(0, (char* const[]) {TOOL, "-off", NULL});
    kernel_log();
    run(0, (char* const[]) {TOOL, "-r", "2.0", NULL});
    kernel_log();
    run(0, (char* const[]) {TOOL, "-d", NULL});
    set_trace(0);
    switch_and_check(word, 300);
    kernel_log();
    show_node("KorvendaleL2CR");
    say("unload: %s\n", error_text(unload_module()));
}

int main(int argc, char** argv)
{
    const char* self = strrchr(argv[0], '/');
    if (strcmp(self ? self + 1 : argv[0], "modprobe") == 0)
        return modprobe_main(argc, argv);

    mount("proc", "/proc", "proc", 0, NULL);
    mount("sysfs", "/sys", "sysfs", 0, NULL);
    open_kernel_log();
    setenv("PATH", "/usr/sbin:/usr/bin:/sbin:/bin", 1);

    char model[64] = "";
    int fd = open("/proc/device-tree/model", O_RDONLY);
    if (fd >= 0) {
        ssize_t n = read(fd, model, sizeof model - 1);
        model[n > 0 ? n : 0] = 0;
        close(fd);
    }
    say("KORV-BEGIN %s\n", model);

    section("without the module");
    show_node("KorvendalePVR");
    run(0, (char* const[]) {TOOL, "-d", NULL});

    section("load");
    say("load: %s\n", error_text(load_module("")));
    kernel_log();
    show_all_nodes();
    const unsigned long pvr = node_word("KorvendalePVR");

    section("korvendalecache -d");
    run(0, (char* const[]) {TOOL, "-d", NULL});
    run(USER_UID, (char* const[]) {TOOL, "-d", NULL});

    section("startup item");
    set_trace(1);
    const unsigned long hid0 = node_word("KorvendaleHID0");
    const unsigned long managed = 0x001002A8; // DPM SPD SGE BTIC ABE
    set_hid0(hid0 & ~managed);
    // The L2 to be enabled at 2:1, but DefL2CR says "not tested": no L2CR
    // write may follow (the trace would show it).
    write_prefs(1, 4, 0, 1);
    run(0, (char* const[]) {STARTUP, NULL});
    kernel_log();
    show_node("KorvendaleHID0");
    set_hid0((hid0 & ~managed) | 0x80);
    write_prefs(0, 4, 1, 0);
    run(0, (char* const[]) {STARTUP, NULL});
    show_node("KorvendaleHID0");
    set_hid0(hid0 & ~managed);
    say("unload: %s\n", error_text(unload_module()));
    run(0, (char* const[]) {STARTUP, NULL}); // loads the module itself
    say("load: %s\n", error_text(load_module("")));
    show_node("KorvendaleHID0");
    set_hid0(hid0);
    show_node("KorvendaleHID0");

    section("L2CR");
    set_trace(1);
    user_write("KorvendaleL2CR", "0xB9000000");
    run(USER_UID, (char* const[]) {TOOL, "-off", NULL});
    kernel_log();
    try_write("KorvendaleL2CR", "0xB9000000\n", 11);
    kernel_log();
    show_node("KorvendaleL2CR");
    try_write("KorvendaleL2CR", "0x80000000", 10);
    try_write("KorvendaleL2CR", "0xB1000000", 10);
    kernel_log();
    try_write("KorvendaleL2CR", "0", 1);
    kernel_log();
    run(0, (char* const[]) {TOOL, "-r", "2.0", NULL});
    run(0, (char* const[]) {TOOL, "-off", NULL});
    kernel_log();

    section("malformed words");
    static const char* const bad[] = {"\n", "abc", "0x", "0x\n", "12 ", " 12", "+12", "-1", "1\n\n", "1.0",
        "0x1g", "4294967296", "0x100000000", "99999999999999999999", "0x0000000000000000000000000000000001"};
    for (size_t i = 0; i < sizeof bad / sizeof *bad; i++)
        try_write("KorvendaleHID0", bad[i], strlen(bad[i]));
    show_node("KorvendaleHID0");
    try_write("KorvendaleL2CR", "0xB9000000 ", 11);
    try_write("KorvendaleL2CR", "4294967296\n", 11);
    kernel_log();
    show_node("KorvendaleL2CR");
    try_write("KorvendalePVR", "0", 1);

    section("HID0 bits outside the managed set");
    static const unsigned long unmanaged[]
        = {0x00400000 /* NAP */, 0x00008000 /* ICE */, 0x80000000 /* EMCP */};
    for (size_t i = 0; i < sizeof unmanaged / sizeof *unmanaged; i++)
        set_hid0(hid0 ^ unmanaged[i]);
    set_hid0(hid0 ^ 0x00000200); // SPD: managed
    show_node("KorvendaleHID0");
    set_hid0(hid0);
    char decimal[16];
    snprintf(decimal, sizeof decimal, "%lu", hid0);
    try_write("KorvendaleHID0", decimal, strlen(decimal));
    show_node("KorvendaleHID0");

    section("unload and reload");
    say("unload: %s\n", error_text(unload_module()));
    show_node("KorvendalePVR");
    run(0, (char* const[]) {TOOL, "-d", NULL});
    say("load: %s\n", error_text(load_module("trace=1")));
    say("load again: %s\n", error_text(load_module("")));
    show_all_nodes();
    say("unload: %s\n", error_text(unload_module()));

    // What Apple's firmware leaves on a 1 MB backside cache at 2:1: a G4's
    // pipelined late-write SRAM with 1.0 ns output hold, a G3's pipelined
    // burst SRAM.
    const unsigned long version = pvr >> 16;
    if (version == 0x000C)
        enabled_cache(0xB9810000);
    else if (version == 0x0008)
        enabled_cache(0xB9000000);

    say("KORV-END\n");
    sync();
    reboot(RB_POWER_OFF);
    return 0;
}
