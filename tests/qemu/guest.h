// What both guest inits do: print to the console, load and unload the
// module, and pass on the module's kernel log lines.
#pragma once

#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#define MODULE_PATH "/lib/modules/korvendale.ko"

static int kmsg = -1;

static void say(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    vprintf(fmt, ap);
    va_end(ap);
    fflush(stdout);
}

static const char* error_text(int err)
{
    return err ? strerror(err) : "ok";
}

// Kernel messages stay off the console; the module's are read back from
// /dev/kmsg, starting now.
static void open_kernel_log(void)
{
    int fd = open("/proc/sys/kernel/printk", O_WRONLY);
    if (fd >= 0) {
        if (write(fd, "1\n", 2) != 2)
            say("printk: %s\n", strerror(errno));
        close(fd);
    }
    kmsg = open("/dev/kmsg", O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    lseek(kmsg, 0, SEEK_END);
}

// Prints the module's kernel log lines written since the last call.
static void kernel_log(void)
{
    char record[1024];
    ssize_t n;
    while ((n = read(kmsg, record, sizeof record - 1)) > 0) {
        record[n] = 0;
        char* text = strchr(record, ';');
        if (!text || strncmp(text + 1, "korvendale:", 11) != 0)
            continue;
        text++;
        text[strcspn(text, "\n")] = 0;
        say("kmsg: %s\n", text);
    }
}

// As the first process of an initramfs made without root, which holds no
// device nodes: devtmpfs, the console opened here, /proc, /sys, the log.
static inline void guest_setup(void)
{
    mount("devtmpfs", "/dev", "devtmpfs", 0, NULL);
    if (fcntl(1, F_GETFD) < 0) {
        int console = open("/dev/console", O_RDWR);
        dup2(console, 0);
        dup2(console, 1);
        dup2(console, 2);
    }
    mount("proc", "/proc", "proc", 0, NULL);
    mount("sysfs", "/sys", "sysfs", 0, NULL);
    open_kernel_log();
}

// Seconds on the guest's own clock.
static inline double now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

static int load_module(const char* params)
{
    int fd = open(MODULE_PATH, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int err = syscall(SYS_finit_module, fd, params, 0) ? errno : 0;
    close(fd);
    return err;
}

static int unload_module(void)
{
    return syscall(SYS_delete_module, "korvendale", O_NONBLOCK) ? errno : 0;
}
